// The step-by-step solution: recording the cells that the logical solver finds from the board,
// and replaying them on the board with the forward and back buttons, each step explained on the
// board shown.
#include <optional>
#include <string>

#include "play/game.h"
#include "solver/place_digit.h"

namespace sudoku {
namespace {

constexpr int kStepFlashMs = 500;

// Places every filled cell of the board (its text, else its given digit) in column-major order
// on grid in full mode, with steps recording; returns the grid the last placement leaves.
CandidateGrid PlaceFilledCells(const Board& board, CandidateGrid grid, StepLog& steps) {
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      const int digit = board.ValoreCella(col, row);
      if (digit == 0) continue;
      steps.PassoPasso = true;
      grid = PlaceDigit(grid, col, row, PlaceMode::Full, digit, board, &steps);
    }
  }
  steps.PassoPasso = false;
  return grid;
}

}  // namespace

void Game::ShowExplanation(const std::optional<Explanation>& explanation) {
  explained_ = explanation;
  controls.LSpiegazione.caption =
      explanation ? ExplanationText(*explanation, Lingua == "en") : std::string();
}

void Game::SoluzionePassoPasso1Click() {
  steps.PassoCorrente = 0;
  Griglia.fill(0);
  Candidati = CandidateGrid::Full();
  steps.NumPassi = 0;
  for (StepRecord& record : steps.Passi) {
    record.Values.fill(0);
    record.Candidates = Candidati;
  }
  // Record 0 is the position the replay starts from, for the way back from step 1.
  for (int cell = 0; cell < 81; ++cell) {
    steps.Passi[0].Values[cell] = board.ValoreCella(cell / 9, cell % 9);
  }

  for (int cell = 0; cell < 81; ++cell) Griglia[cell] = board.ValoreCella(cell / 9, cell % 9);
  const CandidateGrid found = PlaceFilledCells(board, Candidati, steps);
  ShowExplanation(std::nullopt);

  if (steps.NumPassi <= 1) {
    controls.BAvanti.enabled = false;
    controls.BIndietro.enabled = false;
    dialogs.Message(BoxKind::Plain,
                    Tr("Spiacente.\n\rIn base alle caselle valorizzate, non sono in grado di "
                       "determinare altre celle.",
                       "Sorry.\n\rThe system is not able to determine other cells."));
    return;
  }
  controls.BAvanti.enabled = true;
  controls.BIndietro.enabled = true;
  Candidati = found;
  RefreshCandidateGrid();
  const std::string count = std::to_string(steps.NumPassi);
  dialogs.Message(BoxKind::Plain, Lingua == "en"
                                      ? "To see the logical sequence found, " + count +
                                            " step, use the navigation buttons."
                                      : "Per visualizzare la sequenza logica trovata, " + count +
                                            " step, usa i pulsanti di navigazione.");
}

void Game::BAvantiClick() {
  if (steps.PassoCorrente >= steps.NumPassi) {
    controls.BAvanti.enabled = false;
    controls.BIndietro.enabled = true;
    return;
  }
  const int k = ++steps.PassoCorrente;
  const StepRecord& record = steps.Passi[k];
  const StepRecord& previous = steps.Passi[k - 1];
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      const int cell = CellIndex(col, row);
      const int value = record.Values[cell];
      if (value <= 0 || board.IsGiven(col, row)) continue;
      if (k > 1 && value == previous.Values[cell]) continue;
      if (k > 1) FlashCell(col, row, kStepFlashMs);
      board.Texts[cell] = std::to_string(value);
    }
  }
  Candidati = record.Candidates;
  RefreshCandidateGrid();
  ShowExplanation(ExplainStep(steps, k));
  effects.Announce(controls.LSpiegazione.caption);
  controls.BIndietro.enabled = true;
}

void Game::BIndietroClick() {
  if (steps.PassoCorrente <= 0) {
    controls.BIndietro.enabled = false;
    controls.BAvanti.enabled = true;
    return;
  }
  const int k = --steps.PassoCorrente;
  const StepRecord& record = steps.Passi[k];
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      const int cell = CellIndex(col, row);
      const int value = record.Values[cell];
      board.Texts[cell] =
          value > 0 && !board.IsGiven(col, row) ? std::to_string(value) : std::string();
    }
  }
  // Step 0 has no candidates of its own: those of step 1 stay shown.
  if (k >= 1) {
    Candidati = record.Candidates;
    RefreshCandidateGrid();
  }
  ShowExplanation(k >= 1 ? std::optional<Explanation>(ExplainStep(steps, k)) : std::nullopt);
  if (k >= 1) effects.Announce(controls.LSpiegazione.caption);
  controls.BAvanti.enabled = true;
}

}  // namespace sudoku
