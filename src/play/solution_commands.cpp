// The counting commands of the menu (up to 10, 30, 60 solutions) and the automatic solution.
#include <string>

#include "play/game.h"
#include "solver/solution_counter.h"

namespace sudoku {

std::int32_t Game::CountBoardSolutions(std::int32_t limit) {
  counter.NumSoluzioni = 0;
  CountSolutions(BuildCandidates(board), limit, counter,
                 [this] { controls.ProgressBar1.StepBy(1); });
  return counter.NumSoluzioni;
}

void Game::ShowSolutionCount(std::int32_t limit) {
  const std::int32_t n = CountBoardSolutions(limit);
  std::string text;
  if (n == 1) {
    text = Tr("Complimenti!\n\rLo schema \xE8 a soluzione unica.",
              "Congratulations!\n\rThe puzzle has only one solution!");
  } else if (n == limit) {
    text = Lingua == "en" ? "The puzzle allows at least " + std::to_string(limit) + " solutions!"
                          : "Il numero di soluzioni per lo schema in griglia \xE8 almeno " +
                                std::to_string(limit);
  } else {
    text = Lingua == "en"
               ? "The puzzle allows " + std::to_string(n) + " solutions"
               : "Il numero di soluzioni per lo schema in griglia \xE8 " + std::to_string(n);
  }
  dialogs.Message(BoxKind::Information, text);
}

void Game::Finoa10Click() {
  ShowSolutionCount(10);
}

void Game::Finoa30Click() {
  ShowSolutionCount(30);
}

void Game::Finoa60Click() {
  ShowSolutionCount(60);
}

void Game::SoluzioneAutomaticaClick() {
  const std::int32_t n = CountBoardSolutions(2);
  if (n == 0) {
    dialogs.Message(BoxKind::Error, Tr("Lo schema in griglia non ammette soluzioni!",
                                       "The puzzle in the grid have no solutions!"));
    return;
  }
  if (n >= 2) {
    Tell(BoxKind::Information, "Attenzione!\n\rLo schema in griglia ha pi\xF9 di una soluzione!",
         BoxKind::Error, "Caution!\n\rThe puzzle on the grid allow more solutions!");
    return;
  }
  ShowExplanation(std::nullopt);  // it told of a step on a board that is now solved
  for (int cell = 0; cell < 81; ++cell) {
    const std::string digit = std::to_string(counter.Soluzione[cell]);
    controls.UAgrid.cells[cell] = digit;
    Griglia[cell] = counter.Soluzione[cell];
    if (!board.IsGiven(cell / 9, cell % 9)) board.Texts[cell] = digit;
  }
  dialogs.Message(BoxKind::Information,
                  Tr("Soluzione unica trovata!", "Just found the only one solution!"));
}

void Game::Tell(BoxKind italianKind, const std::string& italian, BoxKind englishKind,
                const std::string& english) {
  if (Lingua == "en") {
    dialogs.Message(englishKind, english);
  } else {
    dialogs.Message(italianKind, italian);
  }
}

}  // namespace sudoku
