// The catalogue pages: one published puzzle per page, whose title carries the puzzle and its
// data for the game, and the page of other puzzles that the title sometimes points to.
#include <string>

#include "site/catalogue.h"
#include "site/html.h"
#include "site/pages.h"
#include "site/query.h"
#include "site/selection.h"

namespace sudoku::site {
namespace {

constexpr const char* kSelect = "/sudoku/gioco-offline/sudoku-select-new.asp";
// The page of other puzzles is named by path alone: its address travels inside the query of
// later selection addresses, where a second "?" would make them unreadable.
constexpr const char* kOthers = "/sudoku/gioco-offline/altri-sudoku-";
// Every this many pages the title sends the game to the page of other puzzles.
constexpr int kOthersEvery = 25;

std::string Two(int value) {
  return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string SelectionAddress(const CatalogueFilter& filter, int page) {
  return std::string(kSelect) + "?of=" + std::to_string(filter.Year) + "_" + Two(filter.Month) +
         "_" + (filter.SymmetricOnly ? "S" : "T") + "_" + Two(filter.Givens) + "_" +
         std::to_string(page) + "_quillo";
}

std::string DataRows(const CataloguePuzzle& p) {
  auto row = [](const std::string& label, const std::string& value) {
    return "<tr><th>" + Escape(label) + "</th><td>" + Escape(value) + "</td></tr>";
  };
  return "<table class=\"t\">" + row("Numero", std::to_string(p.Number)) +
         row("Pubblicato il", DateText(p.Published)) + row("Livello", std::to_string(p.Level)) +
         row("Numeri base", std::to_string(p.Givens)) +
         row("Simmetrico", p.Symmetric ? "s\u00ec" : "no") + row("Media voti", p.AverageVote()) +
         row("Votanti", std::to_string(p.Voters)) + row("Creato da", p.Author) + "</table>\n";
}

std::string ActionLinks(const CataloguePuzzle& p) {
  const std::string num = std::to_string(p.Number);
  return "<p>" +
         Link("/sudoku/gioco-offline/soluzioni.asp?of=" + std::to_string(p.Published.Year) + "_" +
                  Two(p.Published.Month) + "_" + Two(p.Published.Day) + "_" + num,
              "Soluzione") +
         " &middot; " + Link("/sudoku/gioco-offline/vota-sudoku.asp?num=" + num, "Vota") +
         " &middot; " + Link("/sudoku/gioco-offline/stampa-sudoku.asp?num=" + num, "Stampa") +
         "</p>\n";
}

void SelectPage(Visit& visit) {
  const Selection selection = ParseSelection(visit.Param("of"));
  Db& db = visit.Owner.Store();
  const int total = CountMatches(db, selection.Filter);
  const auto puzzle = PuzzleAt(db, selection.Filter, selection.Page);
  std::string nav = "<p>";
  if (selection.Page > 1)
    nav += Link(SelectionAddress(selection.Filter, selection.Page - 1), "\u00ab precedente") + " ";
  if (selection.Page < total)
    nav += Link(SelectionAddress(selection.Filter, selection.Page + 1), "successivo \u00bb");
  nav += "</p>\n";
  if (!puzzle) {
    visit.Html("nessuno schema", Paragraph(total == 0 ? "Nessuno schema per questa ricerca."
                                                      : "Non ci sono altri schemi per questa "
                                                        "ricerca.") +
                                     nav);
    return;
  }
  const bool others = selection.Page % kOthersEvery == 0;
  const std::string title =
      puzzle->Digits + ";" + std::to_string(puzzle->Level) + ";" + std::to_string(puzzle->Givens) +
      ";" + std::to_string(puzzle->Number) + ";" + DateText(puzzle->Published) + ";" +
      puzzle->AverageVote() + ";" + std::to_string(puzzle->Voters) + ";" +
      (others ? visit.BaseAddress() + kOthers + std::to_string(puzzle->Number) + ".asp;0;240"
              : std::string("quillo;0;0"));
  visit.Html(title, "<h3>Schema n. " + std::to_string(puzzle->Number) + "</h3>\n" +
                        GridHtml(puzzle->Digits) + DataRows(*puzzle) +
                        Paragraph("Schema " + std::to_string(selection.Page) + " di " +
                                  std::to_string(total)) +
                        nav + ActionLinks(*puzzle));
}

void OthersPage(Visit& visit) {
  const std::string& path = visit.Req.Path;
  const std::size_t dash = path.rfind('-');
  const auto from = ParseNumber(path.substr(dash + 1, path.size() - dash - 5));
  if (!from) throw BadRequest{"numero dello schema"};
  std::string body =
      "<h3>Altri sudoku</h3>\n<table class=\"t\"><tr><th>Numero</th><th>Data</th>"
      "<th>Livello</th><th>Numeri base</th><th>Media voti</th><th></th></tr>\n";
  for (const CataloguePuzzle& p : PuzzlesFrom(visit.Owner.Store(), *from, 60)) {
    body +=
        "<tr><td>" + std::to_string(p.Number) + "</td><td>" + DateText(p.Published) + "</td><td>" +
        std::to_string(p.Level) + "</td><td>" + std::to_string(p.Givens) + "</td><td>" +
        Escape(p.AverageVote()) + "</td><td>" +
        Link("/sudoku/gioco-offline/stampa-sudoku.asp?num=" + std::to_string(p.Number), "vedi") +
        "</td></tr>\n";
  }
  visit.Html("altri sudoku", body + "</table>\n");
}

}  // namespace

void RegisterCataloguePages(Site& site) {
  site.Page(kSelect, SelectPage);
  site.Pattern(R"(/sudoku/gioco-offline/altri-sudoku-[0-9]{1,9}\.asp)", OthersPage);
}

}  // namespace sudoku::site
