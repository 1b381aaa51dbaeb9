// The hint: reveals the solution digit of one randomly chosen empty cell when the position has
// exactly one solution, and tells why that digit belongs there on the player's board.
#include <string>

#include "play/announcement.h"
#include "play/game.h"

namespace sudoku {
namespace {

constexpr int kHintFlashMs = 500;
// A hint is refused unless the board has more empty cells than this.
constexpr int kFewestEmptyCells = 10;

}  // namespace

void Game::SuggerisciNumeroClick() {
  const std::int32_t n = CountBoardSolutions(2);
  if (n == 0) {
    dialogs.Message(BoxKind::Error,
                    Tr("Lo schema in griglia non ammette soluzioni!\n\rNessun suggerimento",
                       "The puzzle in the grid have no solutions!\n\rCan not suggest a number!"));
    return;
  }
  if (n >= 2) {
    Tell(BoxKind::Information,
         "Attenzione!\n\rLo schema in griglia ha pi\xF9 di una soluzione!\n\rNessun suggerimento",
         BoxKind::Error,
         "Caution!\n\rThe puzzle on the grid allow more solutions!\n\rCan not suggest a number!");
    return;
  }
  int emptyCells = 0;
  for (int cell = 0; cell < 81; ++cell) {
    if (!board.IsGiven(cell / 9, cell % 9) && board.Texts[cell].empty()) ++emptyCells;
  }
  if (emptyCells <= kFewestEmptyCells) {
    Tell(BoxKind::Information,
         "Attenzione!\n\rLo schema in griglia non ha pi\xF9 di 10 caselle libere!\n\rNessun "
         "suggerimento",
         BoxKind::Error,
         "Caution!\n\rThe puzzle on the grid has no more that 10 empty cells!\n\rCan not suggest "
         "a number!");
    return;
  }

  int col = 0;
  int row = 0;
  do {
    col = random.Next(0, 8);
    row = random.Next(0, 8);
  } while (board.IsGiven(col, row) || !board.Texts[CellIndex(col, row)].empty());

  const int cell = CellIndex(col, row);
  const std::string digit = std::to_string(counter.Soluzione[cell]);
  ShowExplanation(ExplainHint(board, counter.Soluzione, cell));
  effects.Announce(
      AnnouncementText(kAnnounceHint, col, row, counter.Soluzione[cell], Lingua == "en") + " " +
      controls.LSpiegazione.caption);
  controls.UAgrid.cells[cell] = digit;
  Griglia[cell] = counter.Soluzione[cell];
  FlashCell(col, row, kHintFlashMs);
  board.Texts[cell] = digit;
}

}  // namespace sudoku
