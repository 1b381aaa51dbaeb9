// The site's pages about the current puzzle (online solution, vote, print with its preview),
// publishing a puzzle of the user's own and the instructions page.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "online/main_window.h"

namespace sudoku {

// How the shell drives it: the button, menu and pane events below under their names.
class SiteActions {
 public:
  explicit SiteActions(MainWindow& window) : w_(window) {}

  void vedisoluzioneClick();
  void VotaClick();
  void BStampaClick();
  void WBsoluzioneDocumentComplete();
  void Soluzione1Click();
  void Vota1Click();
  void Stampa1Click();
  void Pubblica1Click();
  void Istruzioni1Click();

 private:
  enum class Action { Solution, Vote, Print };
  // The checks every button shares; true when the puzzle may be looked up on the site.
  bool MayLookUp(Action action);
  void MenuVersion(Action action, const char* italian, const char* english);
  void RunButton(Action action);
  // The checks and the reduction before a publish; the row-major puzzle, or "" when stopped.
  std::string PreparePublish();
  // The steps of it, each saying why it stops: no given of a published puzzle on the board,
  // exactly one solution, and between 15 and 30 entries left once the board's entries are
  // reduced to a minimal puzzle (the board keeps only those; their values are returned).
  bool IsOwnPuzzle();
  bool HasOneSolution();
  std::array<std::int32_t, 81> ReduceOnBoard();
  bool AcceptsGivenCount(int givens);

  MainWindow& w_;
};

// Whether a puzzle file name is one of the site's catalogue: characters 5 to 12 "-puzzle_".
bool IsCataloguePuzzleName(const std::string& name);

}  // namespace sudoku
