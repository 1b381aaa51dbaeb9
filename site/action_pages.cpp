// The pages about one puzzle (solution, vote, print, publish), the instructions, the online
// lobby and the home page.
#include <string>

#include "site/calendar.h"
#include "site/catalogue.h"
#include "site/challenges.h"
#include "site/html.h"
#include "site/pages.h"
#include "site/query.h"
#include "site/sessions.h"
#include "site/shared_state.h"

namespace sudoku::site {
namespace {

constexpr const char* kVote = "/sudoku/gioco-offline/vota-sudoku.asp";

int PuzzleNumber(const std::string& text) {
  const auto number = ParseNumber(text);
  if (!number) throw BadRequest{"numero dello schema"};
  return *number;
}

std::string Heading(const CataloguePuzzle& p) {
  return "<h3>Sudoku n. " + std::to_string(p.Number) + " del " + DateText(p.Published) + "</h3>\n";
}

void NotFound(Visit& visit) {
  visit.Html("schema non trovato", Paragraph("Schema non trovato."), 404);
}

// Whether "YEAR_MONTH_DAY" names the day the puzzle was published; the game writes the numbers
// as its copy of the puzzle has them, with or without leading zeros.
bool PublishedOn(const CataloguePuzzle& p, const std::string& date) {
  int numbers[3] = {};
  std::size_t from = 0;
  for (int k = 0; k < 3; ++k) {
    const std::size_t end = k < 2 ? date.find('_', from) : date.size();
    if (end == std::string::npos) return false;
    const auto number = ParseNumber(date.substr(from, end - from));
    if (!number) return false;
    numbers[k] = *number;
    from = end + 1;
  }
  return numbers[0] == p.Published.Year && numbers[1] == p.Published.Month &&
         numbers[2] == p.Published.Day;
}

// "YEAR_MONTH_DAY_NUMBER": the number and the date together name the puzzle, so that a puzzle
// that only carries a catalogue number is never shown another one's solution.
void SolutionPage(Visit& visit) {
  const std::string of = visit.Param("of");
  const std::size_t last = of.rfind('_');
  const auto puzzle = PuzzleByNumber(
      visit.Owner.Store(), PuzzleNumber(last == std::string::npos ? of : of.substr(last + 1)));
  if (!puzzle || last == std::string::npos || !PublishedOn(*puzzle, of.substr(0, last)))
    return NotFound(visit);
  visit.Html("soluzione", Heading(*puzzle) + GridHtml(puzzle->Digits, puzzle->Solution) +
                              Paragraph("In blu le cifre della soluzione."));
}

void VotePage(Visit& visit) {
  if (!visit.Has("num")) {
    visit.Html("vota", Paragraph("Scegli uno schema del catalogo per votarlo."));
    return;
  }
  const int number = PuzzleNumber(visit.Param("num"));
  Db& db = visit.Owner.Store();
  const auto puzzle = PuzzleByNumber(db, number);
  if (!puzzle) return NotFound(visit);
  const std::string self = std::string(kVote) + "?num=" + std::to_string(number);
  if (visit.Req.Method == "POST") {
    const std::string& user = visit.RequireSession();
    auto form = ParseForm(visit.Req.Body);
    const auto vote = ParseNumber(form["voto"]);
    if (!vote || *vote < 1 || *vote > 10) throw BadRequest{"il voto va da 1 a 10"};
    CastVote(db, number, user, *vote);
    visit.Redirect(self);
    return;
  }
  std::string body = Heading(*puzzle) + Paragraph("Media voti: " + puzzle->AverageVote() +
                                                  " - Votanti: " + std::to_string(puzzle->Voters));
  if (!visit.User) {
    body += Paragraph("Entra con la tua user per votare.");
  } else if (HasVoted(db, number, *visit.User)) {
    body += Paragraph("Hai gi\u00e0 votato questo schema.");
  } else {
    body +=
        "<form method=\"post\" action=\"" + Escape(self) + "\">Il tuo voto <select name=\"voto\">";
    for (int v = 1; v <= 10; ++v) body += "<option>" + std::to_string(v) + "</option>";
    body += "</select> <button type=\"submit\">Vota</button></form>\n";
  }
  visit.Html("vota", body);
}

void PrintPage(Visit& visit) {
  const auto puzzle = PuzzleByNumber(visit.Owner.Store(), PuzzleNumber(visit.Param("num")));
  if (!puzzle) return NotFound(visit);
  visit.Html("stampa sudoku " + std::to_string(puzzle->Number),
             Heading(*puzzle) + GridHtml(puzzle->Digits) +
                 Paragraph("Livello " + std::to_string(puzzle->Level) + " - Numeri base " +
                           std::to_string(puzzle->Givens)));
}

void PublishPage(Visit& visit) {
  const std::string& user = visit.RequireUser(visit.Param("who"));
  Throttles& limits = visit.Owner.Limits();
  const std::int64_t now = visit.Owner.Now();
  // Counted before the puzzle is checked and given back when it is refused, so publications at
  // once cannot all pass the check.
  if (!limits.Publications.Take(user, now)) throw TooMany{};
  if (!limits.PublicationsOfClient.Take(visit.Client(), now)) {
    limits.Publications.Refund(user);
    throw TooMany{};
  }
  const Date today = Today();
  Db& db = visit.Owner.Store();
  // One writer numbers the puzzle, and every process learns the month's collection changed.
  Transaction transaction(db);
  const Publication result = Publish(db, visit.Param("pz"), user, today);
  if (result.Refusal.empty()) BumpCounter(db, CollectionCounter(today.Year, today.Month));
  transaction.Commit();
  if (!result.Refusal.empty()) {
    limits.Publications.Refund(user);
    limits.PublicationsOfClient.Refund(visit.Client());
    visit.Html("pubblica", Paragraph("Schema non pubblicato: " + result.Refusal));
    return;
  }
  visit.Html("pubblica", Paragraph("Grazie! Il tuo schema \u00e8 pubblicato con il numero " +
                                   std::to_string(result.Number) + "."));
}

void InstructionsPage(Visit& visit) {
  visit.Html(
      "istruzioni sudoku",
      "<h3>Come si gioca</h3>\n" +
          Paragraph("Riempi la griglia in modo che ogni riga, ogni colonna e ogni riquadro 3x3 "
                    "contenga i numeri da 1 a 9 una sola volta.") +
          Paragraph("Scegli uno schema dalla raccolta locale o dal catalogo online, scrivi le "
                    "cifre nelle caselle e usa i candidati per ragionare.") +
          Paragraph("Con la tua user puoi votare gli schemi, pubblicare i tuoi e sfidare gli "
                    "altri giocatori connessi: vince chi trova pi\u00f9 cifre giuste."));
}

void LobbyPage(Visit& visit) {
  if (!visit.Param("who").empty()) visit.RequireUser(visit.Param("who"));
  Db& db = visit.Owner.Store();
  std::string body = "<h3>Sudoku online</h3>\n";
  body += Paragraph(visit.User ? "Ciao " + *visit.User + "!"
                               : "Ciao! Entra con la tua user per sfidare gli altri.");
  std::string online;
  {
    auto list = db.Prepare("SELECT DISTINCT name FROM sessions WHERE seen >= ? ORDER BY name");
    list.Bind(1, visit.Owner.Now() - kDeadPlayerInterval);
    while (list.Step()) online += (online.empty() ? "" : ", ") + Escape(list.Text(0));
  }
  body += "<p>Utenti connessi: " + (online.empty() ? std::string("nessuno") : online) + "</p>\n";
  std::string waiting, running;
  for (const Challenge& c : OpenChallenges(db)) {
    if (c.Challenged.empty())
      waiting += "<li>" + Escape(c.Challenger) + "</li>";
    else
      running += "<li>" + Escape(c.Challenger) + " contro " + Escape(c.Challenged) + "</li>";
  }
  body += "<p>Sfide in attesa:</p><ul>" + (waiting.empty() ? "<li>nessuna</li>" : waiting) +
          "</ul>\n<p>Partite in corso:</p><ul>" + (running.empty() ? "<li>nessuna</li>" : running) +
          "</ul>\n<p>" + Link("/sudoku/sfida-online/sudoku-online-classifica.asp", "Classifica") +
          "</p>\n";
  visit.Html("sudoku-space - sudoku online", body);
}

void HomePage(Visit& visit) {
  visit.Html("sudoku",
             "<h3>Sudoku</h3>\n<ul><li>" + Link("/sudoku/gioco-offline/login.asp", "Accesso") +
                 "</li><li>" + Link("/sudoku/gioco-offline/registra-utente.asp", "Registrazione") +
                 "</li><li>" +
                 Link("/sudoku/gioco-offline/sudoku-select-new.asp?of=" +
                          std::to_string(Today().Year) + "_00_T_00_1_quillo",
                      "Schemi pubblicati") +
                 "</li><li>" +
                 Link("/sudoku/download/file-download-list.asp?when=&who=Anonimo",
                      "Raccolte da scaricare") +
                 "</li><li>" + Link("/sudoku/sfida-online/sudoku-space.asp?", "Sfide online") +
                 "</li><li>" + Link("/sudoku/sudoku-pc.asp", "Istruzioni") + "</li></ul>\n");
}

}  // namespace

void RegisterActionPages(Site& site) {
  site.Page("/sudoku/gioco-offline/soluzioni.asp", SolutionPage);
  site.Page(kVote, VotePage, true);
  site.Page("/sudoku/gioco-offline/stampa-sudoku.asp", PrintPage);
  site.Page("/sudoku/gioco-offline/pubblica-sudoku.asp", PublishPage);
  site.Page("/sudoku/sudoku-pc.asp", InstructionsPage);
  site.Page("/sudoku/sfida-online/sudoku-space.asp", LobbyPage);
  site.Page("/", HomePage);
  site.Page("/sudoku/", HomePage);
}

}  // namespace sudoku::site
