// Puzzles in and out as text: the clipboard's copy and paste, and importing a file of puzzles.
#include <cstdio>
#include <fstream>
#include <set>

#include "play/game.h"
#include "play/puzzle_text.h"
#include "solver/generator.h"
#include "storage/puzzle_file.h"

namespace sudoku {
namespace {

// A file name made from the puzzle's cells: the same puzzle always gets the same name, so a
// second copy is found without reading the library.
std::string ExchangeFileName(const Givens& givens) {
  std::uint64_t hash = 1469598103934665603ull;
  for (char c : PuzzleLine(givens)) {
    hash ^= std::uint8_t(c);
    hash *= 1099511628211ull;
  }
  char text[40];
  std::snprintf(text, sizeof text, "imp-%016llx.tema", static_cast<unsigned long long>(hash));
  return text;
}

// Today as the library's publication dates are written (day-month-year with dashes), which is
// what its sort by date reads.
std::string Today(Clock& clock) {
  const DateTime now = clock.Now();
  char text[16];
  std::snprintf(text, sizeof text, "%02d-%02d-%04d", now.day % 100, now.month % 100,
                now.year % 10000);
  return text;
}

}  // namespace

std::string Game::CopiaSchemaText() const {
  Givens values{};
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) values[CellIndex(col, row)] = ValoreCella(col, row);
  }
  return PuzzleLine(values);
}

Game::AddOutcome Game::AddToLibrary(const Givens& givens, const std::string& creator,
                                    std::string& fileName) {
  CountState state;
  CountSolutions(BuildCandidates(GivensBoard(givens)), 2, state);
  if (state.NumSoluzioni == 0) return AddOutcome::NoSolution;
  if (state.NumSoluzioni > 1) return AddOutcome::SeveralSolutions;
  fileName = ExchangeFileName(givens);
  const std::filesystem::path file = CartellaBase / "temi" / fileName;
  std::error_code ignored;
  if (std::filesystem::exists(file, ignored)) return AddOutcome::Duplicate;
  int count = 0;
  for (std::int32_t value : givens) count += value > 0 ? 1 : 0;
  const PuzzleInfo info{creator,
                        creator == "Appunti" ? "Appunti" : "Importato",
                        std::to_string(count),
                        std::to_string(PuzzleLevel(MeasurePuzzle(givens))),
                        "0",
                        "0",
                        "0",
                        Today(clock)};
  WritePuzzleFile(file, info, givens, random);
  return AddOutcome::Added;
}

void Game::IncollaSchemaText(const std::string& text) {
  std::string why;
  const std::optional<Givens> givens = ParsePuzzleText(text, &why);
  if (!givens) {
    dialogs.Message(BoxKind::Error,
                    Lingua == "en"
                        ? "The clipboard holds no puzzle of 81 cells (" + why + ")."
                        : "Gli appunti non contengono uno schema di 81 caselle (" + why + ").");
    return;
  }
  std::string name;
  switch (AddToLibrary(*givens, Utente.empty() ? "Appunti" : Utente, name)) {
    case AddOutcome::NoSolution:
      dialogs.Message(BoxKind::Error, Tr("Lo schema in griglia non ammette soluzioni!",
                                         "The puzzle in the grid have no solutions!"));
      return;
    case AddOutcome::SeveralSolutions:
      dialogs.Message(BoxKind::Error, Tr("Lo schema in griglia ha pi\xF9 di una soluzione!",
                                         "The puzzle in the grid has more solutions!"));
      return;
    case AddOutcome::Added:
    case AddOutcome::Duplicate:
      break;
  }
  AggiornaElenco();
  controls.LVsudoku.selected = -1;
  for (std::size_t i = 0; i < controls.LVsudoku.rows.size(); ++i) {
    if (controls.LVsudoku.rows[i].caption == name) controls.LVsudoku.selected = int(i);
  }
  controls.RicominciaPartita.enabled = true;
  SetNomeFile(name);
  if (CaricaSchema()) Restart1Click();
}

void Game::ImportaSchemi1Click() {
  const std::optional<std::filesystem::path> chosen = dialogs.OpenFile(CartellaBase);
  if (!chosen) return;
  std::vector<std::string> lines;
  {
    std::ifstream in(*chosen, std::ios::binary);
    if (!in) {
      ReportError(Tr("Impossibile leggere il file ", "Cannot read the file ") + chosen->string());
      return;
    }
    for (std::string line; std::getline(in, line);) lines.push_back(line);
  }
  int added = 0, duplicates = 0;
  std::string invalid;
  int invalidCount = 0;
  std::set<std::string> seen;
  ProgressBar& progress = controls.ProgressBar1;
  progress.visible = true;
  progress.max = int(lines.size());
  progress.position = 0;
  const std::string creator = Utente.empty() ? "Importato" : Utente;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    progress.StepBy(1);
    const std::string& line = lines[i];
    if (line.find_first_not_of(" \t\r") == std::string::npos || line[0] == '#') continue;
    const std::optional<Givens> givens = ParsePuzzleLine(line);
    std::string name;
    const AddOutcome outcome =
        givens ? (seen.insert(PuzzleLine(*givens)).second ? AddToLibrary(*givens, creator, name)
                                                          : AddOutcome::Duplicate)
               : AddOutcome::NoSolution;
    if (outcome == AddOutcome::Added) {
      ++added;
    } else if (outcome == AddOutcome::Duplicate) {
      ++duplicates;
    } else if (++invalidCount <= 20) {
      invalid += (invalid.empty() ? "" : ", ") + std::to_string(i + 1);
    }
  }
  progress.visible = false;
  AggiornaElenco();
  if (invalidCount > 20) invalid += ", ...";
  const bool en = Lingua == "en";
  std::string summary = (en ? "Puzzles added: " : "Schemi aggiunti: ") + std::to_string(added) +
                        "\n\r" + (en ? "Already in the library: " : "Gi\xE0 presenti: ") +
                        std::to_string(duplicates) + "\n\r" +
                        (en ? "Lines that are not puzzles with one solution: "
                            : "Righe che non sono schemi a soluzione unica: ") +
                        std::to_string(invalidCount) +
                        (invalid.empty() ? "" : " (" + invalid + ")");
  dialogs.Message(BoxKind::Information, summary);
}

}  // namespace sudoku
