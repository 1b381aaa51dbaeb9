// The challenge pages: the two data pages the game reads (hidden elements whose id is the field
// name and whose value is the field), the commands of the challenge and the match, the status
// page and the ranking.
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "site/challenges.h"
#include "site/html.h"
#include "site/pages.h"
#include "site/query.h"
#include "site/sessions.h"

namespace sudoku::site {
namespace {

constexpr const char* kPrefix = "/sudoku/sfida-online/";

std::string OrZero(const std::string& text) {
  return text.empty() ? "0" : text;
}

// Runs a command on the store as one transaction, so two players' commands never interleave.
template <typename Command>
auto Atomically(Db& db, Command command) {
  Transaction transaction(db);
  auto result = command();
  transaction.Commit();
  return result;
}

// The name the game sends with its requests: "anonimo" for a visitor who never logged in, so an
// anonymous game stays connected; empty for one whose session is gone, which the game takes as
// a failed login.
std::string Nickname(const Visit& visit) {
  if (visit.User) return *visit.User;
  return visit.SessionLost ? std::string() : std::string("anonimo");
}

// What the game keeps of a challenge before a match: an ended match counts as none, and a
// challenged user whose challenger left sees no challenger.
std::string CommonFields(Db& db, const Visit& visit) {
  std::optional<Challenge> c;
  if (visit.User) c = ActiveChallenge(db, *visit.User);
  if (c && c->State == "finita") c.reset();
  std::string challenger = c ? c->Challenger : "0";
  if (c && c->State == "annullata") challenger = "0";
  std::string fields;
  fields += Hidden("miaSuSfida", c ? c->State : "chiusa");
  fields += Hidden("nickname", Nickname(visit));
  fields += Hidden("UteSuConnessi", std::to_string(visit.Owner.UsersOnline()));
  fields += Hidden("nAttesa", std::to_string(CountWaiting(db)));
  fields += Hidden("nCorso", std::to_string(CountRunning(db)));
  fields += Hidden("schemasfida", c ? c->Puzzle : "0");
  fields += Hidden("sfidante", challenger);
  fields += Hidden("sfidato", c ? OrZero(c->Challenged) : "0");
  fields += Hidden("statosfida", c ? c->State : "0");
  // A visitor without a user may play no match: the game then offers neither launch nor accept.
  fields += Hidden("nMaxSuSfide", std::to_string(visit.User ? kMaxMatches : 0));
  return fields;
}

// The match fields; without a challenge only the first two, so the rest read as their defaults.
// seen is the board as this player last read it.
std::string MatchFields(const std::optional<Challenge>& c, const Visit& visit,
                        const std::string& seen) {
  std::string fields = Hidden("miaSuSfida", c ? c->State : "chiusa");
  fields += Hidden("nickname", Nickname(visit));
  if (!c) return fields;
  fields += Hidden("schemasfida", c->Puzzle);
  fields += Hidden("sfidante", c->Challenger);
  fields += Hidden("sfidato", OrZero(c->Challenged));
  fields += Hidden("soluzione", c->Solution);
  fields += Hidden("giornoiniziosfida", c->StartDay);
  fields += Hidden("ultimamossa", c->Board);
  fields += Hidden("mossaprecedente", seen);
  fields += Hidden("elementotrovatoda", c->FoundBy);
  fields += Hidden("orafinesfida", c->EndTime);
  fields += Hidden("orainiziosfida", c->StartTime);
  fields += Hidden("puntisfidanteok", std::to_string(c->ChallengerOk));
  fields += Hidden("puntisfidanteko", std::to_string(c->ChallengerKo));
  fields += Hidden("puntisfidatook", std::to_string(c->ChallengedOk));
  fields += Hidden("puntisfidatoko", std::to_string(c->ChallengedKo));
  fields += Hidden("bRisolto", c->Solved ? "si" : "no");
  fields += Hidden("msgxsfidato", c->MsgChallenged);
  fields += Hidden("msgxsfidante", c->MsgChallenger);
  return fields;
}

std::string Summary(const std::optional<Challenge>& c) {
  if (!c) return Paragraph("Nessuna sfida.");
  return Paragraph("Sfida di " + c->Challenger +
                   (c->Challenged.empty() ? std::string() : " contro " + c->Challenged) + ": " +
                   c->State + ".");
}

void ChallengeData(Visit& visit) {
  Db& db = visit.Owner.Store();
  std::optional<Challenge> c;
  if (visit.User) {
    c = ActiveChallenge(db, *visit.User);
    if (c) NoteSeen(db, *c, *visit.User, visit.Owner.Now());
  }
  visit.Html("dati sfida", "<form>\n" + CommonFields(db, visit) + "</form>\n" + Summary(c));
}

void MatchData(Visit& visit) {
  Db& db = visit.Owner.Store();
  std::optional<Challenge> c;
  std::string seen;
  if (visit.User) {
    std::tie(c, seen) = Atomically(db, [&] {
      auto active = ActiveChallenge(db, *visit.User);
      if (!active) return std::make_pair(active, std::string());
      NoteSeen(db, *active, *visit.User, visit.Owner.Now());
      return std::make_pair(active, TakeLastSeenBoard(db, *active, *visit.User));
    });
  }
  visit.Html("partita", "<form>\n" + MatchFields(c, visit, seen) + "</form>\n" + Summary(c));
}

void ShowOutcome(Visit& visit, const Outcome& outcome) {
  visit.Html("sfida", Paragraph(outcome.Text));
}

// The pieces of the "id" parameter, the first of which must name the session's user.
std::vector<std::string> OwnPieces(Visit& visit, std::size_t least) {
  std::vector<std::string> pieces = SplitDecoded(visit.Raw("id"));
  if (pieces.size() < least) throw BadRequest{"parametri mancanti"};
  visit.RequireUser(pieces[0]);
  return pieces;
}

int Count(const std::string& text) {
  const auto value = ParseNumber(text);
  if (!value) throw BadRequest{"numero non valido"};
  return *value;
}

void UpdateMatch(Visit& visit) {
  const auto pieces = OwnPieces(visit, 6);
  MoveReport report;
  report.Moves = pieces[1];
  if (report.Moves.size() != 81 ||
      report.Moves.find_first_not_of("0123456789") != std::string::npos)
    throw BadRequest{"mosse non valide"};
  Count(pieces[2]);  // the right digits are counted here, from the board
  report.Wrong = Count(pieces[3]);
  Count(pieces[5]);
  Db& db = visit.Owner.Store();
  ShowOutcome(visit, Atomically(db, [&] { return ReportMoves(db, *visit.User, report); }));
}

void SendChat(Visit& visit) {
  // The game writes the text into the address unescaped, so a "&" in it would start another
  // parameter: the whole query after "id=" is the value here.
  const std::string& target = visit.Req.Target;
  const std::size_t id = target.find("?id=");
  if (id != std::string::npos) visit.Query["id"] = target.substr(id + 4);
  // Control characters and malformed UTF-8 are refused whole rather than stored and shown.
  if (!IsCleanText(PercentDecodeBytes(visit.Raw("id")))) throw BadRequest{"testo non valido"};
  const auto pieces = OwnPieces(visit, 2);
  // An unescaped ";" in the text splits it too; it belongs to the message all the same.
  std::string text = pieces[1];
  for (std::size_t k = 2; k < pieces.size(); ++k) text += ";" + pieces[k];
  Db& db = visit.Owner.Store();
  ShowOutcome(visit, Atomically(db, [&] { return SendMessage(db, *visit.User, text); }));
}

void ResetChallenge(Visit& visit) {
  const auto pieces = OwnPieces(visit, 2);
  if (pieces[1] != "fine" && pieces[1] != "abbandono") throw BadRequest{"comando sconosciuto"};
  if (pieces.size() > 2 && pieces[2] != "0" && pieces[2] != "1") throw BadRequest{"esito"};
  Db& db = visit.Owner.Store();
  ShowOutcome(visit,
              Atomically(db, [&] { return Reset(db, *visit.User, pieces[1] == "abbandono"); }));
}

void GenerateMatch(Visit& visit) {
  const auto seed = ParseNumber(visit.Param("genera"));
  if (!seed) throw BadRequest{"numero dello schema"};
  const std::string& user = visit.RequireSession();
  Db& db = visit.Owner.Store();
  ShowOutcome(visit, Atomically(db, [&] { return Generate(db, user, *seed); }));
}

void StatusPage(Visit& visit) {
  const std::string message = visit.Param("msg");
  std::string body = message.empty() || message == "0" ? Paragraph("Nessuna sfida in corso.")
                                                       : "<p>" + StatusMarkup(message) + "</p>\n";
  Db& db = visit.Owner.Store();
  body += Paragraph("Sfide in attesa: " + std::to_string(CountWaiting(db)) +
                    " - Partite in corso: " + std::to_string(CountRunning(db)) +
                    " - Utenti connessi: " + std::to_string(visit.Owner.UsersOnline()));
  visit.Html("stato sfida", body);
}

void RankingPage(Visit& visit) {
  std::string body =
      "<h3>Classifica</h3>\n<table class=\"t\"><tr><th>User</th><th>Partite</th>"
      "<th>Vinte</th><th>Cifre giuste</th><th>Cifre errate</th></tr>\n";
  for (const RankingRow& row : Ranking(visit.Owner.Store())) {
    body += "<tr><td>" + Escape(row.Name) + "</td><td>" + std::to_string(row.Matches) +
            "</td><td>" + std::to_string(row.Wins) + "</td><td>" + std::to_string(row.Right) +
            "</td><td>" + std::to_string(row.Wrong) + "</td></tr>\n";
  }
  // Reached from the lobby, whose pane in the game drops the connection at a title without
  // "sudoku".
  visit.Html("classifica sudoku online", body + "</table>\n");
}

template <Outcome (*Command)(Db&, const std::string&, std::int64_t)>
void SessionCommand(Visit& visit) {
  const std::string& user = visit.RequireSession();
  Db& db = visit.Owner.Store();
  ShowOutcome(visit, Atomically(db, [&] { return Command(db, user, visit.Owner.Now()); }));
}

}  // namespace

void RegisterChallengePages(Site& site) {
  const std::string prefix = kPrefix;
  site.Page(prefix + "lettura-dati-sfida.asp", ChallengeData);
  site.Page(prefix + "lettura-asusfideincorso.asp", MatchData);
  site.Page(prefix + "lancia-sfida.asp", SessionCommand<Launch>);
  site.Page(prefix + "accetta-sfida.asp", SessionCommand<Accept>);
  site.Page(prefix + "annulla-sfida-sfidante.asp", SessionCommand<Withdraw>);
  site.Page(prefix + "genera-sfida-sudoku.asp", GenerateMatch);
  site.Page(prefix + "avvia-sfida-sudoku.asp", SessionCommand<Start>);
  site.Page(prefix + "aggiorna-asusfideincorso.asp", UpdateMatch);
  site.Page(prefix + "invia-messaggio.asp", SendChat);
  site.Page(prefix + "reset-sfida-sudoku.asp", ResetChallenge);
  site.Page(prefix + "visualizza-dati-sfida.asp", StatusPage);
  site.Page(prefix + "sudoku-online-classifica.asp", RankingPage);
}

}  // namespace sudoku::site
