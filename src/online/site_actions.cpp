// The information tab's site actions and publishing.
#include "online/site_actions.h"

#include <algorithm>

#include "online/catalogue_title.h"
#include "online/query_value.h"
#include "solver/solution_counter.h"

namespace sudoku {
namespace {

constexpr int kMaxPublishedGivens = 30;
constexpr int kMinPublishedGivens = 15;

}  // namespace

bool IsCataloguePuzzleName(const std::string& name) {
  return name.size() >= 12 && name.compare(4, 8, "-puzzle_") == 0;
}

bool SiteActions::MayLookUp(Action action) {
  Game& game = w_.game;
  if (!w_.connection.Connesso) {
    game.dialogs.Message(
        BoxKind::Error,
        game.Tr(action == Action::Solution
                    ? "Per usare questa funzione devi avere una connessione Internet attiva!"
                    : "Per usare questa funzione devi avere una connessione internet attiva!",
                "To use this feature you must have an active Internet connection!"));
    return false;
  }
  if (!IsCataloguePuzzleName(game.controls.enomefile.text)) {
    game.dialogs.Message(
        BoxKind::Plain,
        game.Tr("Questa funzione \xE8 disponibile per i soli schemi scaricati dal nostro sito",
                "This feature is available only for puzzles downloaded from our site"));
    return false;
  }
  return true;
}

void SiteActions::RunButton(Action action) {
  switch (action) {
    case Action::Solution:
      return vedisoluzioneClick();
    case Action::Vote:
      return VotaClick();
    case Action::Print:
      return BStampaClick();
  }
}

void SiteActions::vedisoluzioneClick() {
  if (!MayLookUp(Action::Solution)) return;
  const Controls& c = w_.game.controls;
  w_.panes.WBsoluzione.Navigate(
      w_.SiteUrl("/sudoku/gioco-offline/soluzioni.asp?of=" +
                 QueryValue(SolutionQuery(c.EDataPubblicazione.text, c.ENumeroSchema.text))),
      kNavigationFlags);
}

void SiteActions::VotaClick() {
  if (!MayLookUp(Action::Vote)) return;
  w_.panes.WBsoluzione.Navigate(w_.SiteUrl("/sudoku/gioco-offline/vota-sudoku.asp?num=" +
                                           QueryValue(w_.game.controls.ENumeroSchema.text)),
                                kNavigationFlags);
}

void SiteActions::BStampaClick() {
  Game& game = w_.game;
  game.StampaInAttesa = false;
  if (!MayLookUp(Action::Print)) return;
  game.StampaInAttesa = true;
  w_.panes.WBsoluzione.Navigate(w_.SiteUrl("/sudoku/gioco-offline/stampa-sudoku.asp?num=" +
                                           QueryValue(game.controls.ENumeroSchema.text)),
                                w_.connection.OpzioniNavigazione);
}

void SiteActions::WBsoluzioneDocumentComplete() {
  if (!w_.game.StampaInAttesa) return;
  w_.game.StampaInAttesa = false;
  w_.panes.WBsoluzione.PrintPreview();
}

void SiteActions::MenuVersion(Action action, const char* italian, const char* english) {
  Game& game = w_.game;
  if (w_.connection.Connesso) {
    game.controls.PageControl1.activePage = "TSInfo";
    RunButton(action);
    return;
  }
  game.dialogs.Message(BoxKind::Plain, game.Tr(italian, english));
  w_.Connessione1Click();
}

void SiteActions::Soluzione1Click() {
  MenuVersion(Action::Solution, "Effettua la connessione per visualizzare la soluzione online",
              "Make the connection to display the online solution");
}

void SiteActions::Vota1Click() {
  MenuVersion(Action::Vote, "Effettua la connessione per votare questo schema",
              "Make the connection to vote this puzzle");
}

void SiteActions::Stampa1Click() {
  MenuVersion(Action::Print, "Effettua la connessione per stampare lo schema",
              "Make the connection to print this puzzle");
}

void SiteActions::Istruzioni1Click() {
  Game& game = w_.game;
  if (!w_.connection.Connesso) {
    game.dialogs.Message(BoxKind::Error,
                         game.Tr("E' necessario essere connessi!", "You must be connected!"));
    return;
  }
  w_.panes.WQuillo.Navigate(w_.SiteUrl("/sudoku/sudoku-pc.asp"));
}

std::string SiteActions::PreparePublish() {
  if (!IsOwnPuzzle() || !HasOneSolution()) return {};
  const std::array<std::int32_t, 81> kept = ReduceOnBoard();
  const int givens = int(std::count_if(kept.begin(), kept.end(), [](int v) { return v != 0; }));
  if (!AcceptsGivenCount(givens)) return {};
  return RowMajorText(kept);
}

bool SiteActions::IsOwnPuzzle() {
  Game& game = w_.game;
  for (int i = 0; i < 81; ++i) {
    if (game.board.IsGiven(i / 9, i % 9)) {
      game.dialogs.Message(
          BoxKind::Error,
          game.Tr("Spiacenti!\n\rNon possiamo ritenere valido lo schema in quanto ottenuto da "
                  "puzzle gi\xE0 esistente.",
                  "Sorry\n\rWe can not consider valid the scheme as derived from existing "
                  "puzzle."));
      return false;
    }
  }
  return true;
}

bool SiteActions::HasOneSolution() {
  Game& game = w_.game;
  const std::int32_t n = game.CountBoardSolutions(2);
  if (n == 1) return true;
  game.dialogs.Message(BoxKind::Error,
                       n == 0 ? game.Tr("Lo schema in griglia non ammette soluzioni!",
                                        "The puzzle in the grid have no solutions!")
                              : game.Tr("Lo schema in griglia ha pi\xF9 di una soluzione!",
                                        "The puzzle in the grid has more solutions!"));
  return false;
}

std::array<std::int32_t, 81> SiteActions::ReduceOnBoard() {
  Game& game = w_.game;
  Board& board = game.board;
  ProgressBar& progress = game.controls.ProgressBar1;
  progress.visible = true;
  progress.max = 60;
  progress.position = 5;
  std::array<std::int32_t, 81> values{};
  for (std::size_t i = 0; i < 81; ++i) {
    const std::string& text = board.Texts[i];
    values[i] = text.size() == 1 && text[0] >= '1' && text[0] <= '9' ? text[0] - '0' : 0;
  }
  game.Griglia = ReducePuzzle(
      values, [&progress] { progress.StepBy(1); }, &game.Candidati);
  for (std::size_t i = 0; i < 81; ++i) {
    if (values[i] > 0 && game.Griglia[i] == 0) {
      board.Texts[i].clear();
      values[i] = 0;
    }
  }
  progress.position = progress.max;
  progress.visible = false;
  game.RefreshCandidateGrid();
  return values;
}

bool SiteActions::AcceptsGivenCount(int givens) {
  Game& game = w_.game;
  if (givens > kMaxPublishedGivens) {
    game.dialogs.Message(BoxKind::Error,
                         game.Tr("Siamo spiacenti!\n\rNon pubblichiamo schemi con pi\xF9 di 30 "
                                 "elementi",
                                 "Sorry\n\rWe do not accept puzzles with more than 30 givens."));
    return false;
  }
  return givens >= kMinPublishedGivens;
}

void SiteActions::Pubblica1Click() {
  Game& game = w_.game;
  if (!w_.RegisteredOrAsked("per poter pubblicare!", "to post.")) return;
  const std::string puzzle = PreparePublish();
  if (puzzle.empty()) return;
  if (!game.dialogs.Confirm(
          game.Tr("Pubblicando questo schema ti assumi tutte le responsabilit\xE0 relative alla "
                  "sua originalit\xE0.\n\rGarantisci che lo schema che stai per pubblicare \xE8 "
                  "stato da te creato?",
                  "By publishing this puzzle will take all the responsibilities arising from its "
                  "originality.\n\rIs the puzzle you are about to publish created by yourself?"))) {
    return;
  }
  w_.connection.OpzioniNavigazione = kNavigationFlags;
  w_.panes.WBsoluzione.Navigate(w_.SiteUrl("/sudoku/gioco-offline/pubblica-sudoku.asp?who=" +
                                           QueryValue(game.Utente) + "&pz=" + puzzle),
                                w_.connection.OpzioniNavigazione);
  game.controls.PageControl1.activePage = "TSInfo";
  game.dialogs.Message(
      BoxKind::Information,
      game.Tr("Complimenti. Salvo duplicazione, il tuo puzzles \xE8 stato pubblicato!",
              "Congratulations. Except duplication, your puzzles was published!"));
}

}  // namespace sudoku
