// Puzzle authoring: saving the composed grid as a library puzzle when it has one solution or as
// an unfinished puzzle in temi/mioschema when it has several, and opening an unfinished puzzle.
#include <optional>
#include <stdexcept>
#include <string>

#include "play/file_name_text.h"
#include "play/game.h"
#include "storage/game_text_file.h"
#include "storage/puzzle_file.h"
#include "storage/raw_file.h"

namespace sudoku {

void Game::Salva1Click() {
  const std::int32_t n = CountBoardSolutions(2);
  if (n == 1) {
    SaveAuthoredPuzzle();
  } else if (n == 0) {
    dialogs.Message(BoxKind::Error, Tr("Lo schema in griglia non ammette soluzioni!",
                                       "The puzzle in the grid has no solution!"));
  } else {
    SaveUnfinishedPuzzle();
  }
}

void Game::SaveAuthoredPuzzle() {
  Formati.UseDayMonthYearDashes();
  const DateTime now = clock.Now();
  const std::filesystem::path file =
      CartellaBase / "temi" /
      AuthoredPuzzleFileName({now.year, now.month, now.day, now.hour, now.minute, now.second});
  const PuzzleInfo info{controls.ECreatore.text,     controls.ETipologia.text,
                        controls.ENumBase.text,      controls.ELivello.text,
                        controls.EMediaVoti.text,    controls.EVotanti.text,
                        controls.ENumeroSchema.text, controls.EDataPubblicazione.text};
  // Only what the grid shows becomes a given: a given without its text is saved as open.
  std::array<int, 81> givens{};
  for (int cell = 0; cell < 81; ++cell) {
    const std::string& text = board.Texts[cell];
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '9') givens[cell] = text[0] - '0';
  }
  try {
    WritePuzzleFile(file, info, givens, random);
  } catch (const std::exception& error) {
    ReportError(error.what());
    return;
  }
  dialogs.Message(BoxKind::Information,
                  Tr("Complimenti!\n\rLo schema \xE8 stato correttamente salvato!",
                     "Congratulations!\n\rThe puzzle was correctly saved!"));
}

void Game::SaveUnfinishedPuzzle() {
  const std::filesystem::path directory = CartellaBase / "temi" / "mioschema";
  std::error_code error;
  if (!std::filesystem::is_directory(directory, error)) {
    std::filesystem::create_directory(directory, error);
    if (!std::filesystem::is_directory(directory, error)) {
      dialogs.Message(BoxKind::Error, Tr("Non posso creare la directory ",
                                         "The system can't create the directory ") +
                                          TextFromPath(directory));
      return;
    }
  }
  const std::string name =
      dialogs.InputBox(Tr("Salvataggio schema incompleto", "Saving puzzle incomplete"),
                       Tr("Inserisci il nome del file senza estensione",
                          "Enter the name of the file without extension"),
                       Tr("schema100", "puzzle100"));
  if (const std::optional<std::string> problem = FileNameProblem(name)) {
    dialogs.Message(BoxKind::Error, *problem);
    return;
  }
  try {
    ReplaceFileContent(directory / (FileNameFromText(name) + ".txt"),
                       UnfinishedPuzzleText(controls.LTime.caption, board));
  } catch (const std::exception& failure) {
    ReportError(failure.what());
  }
}

std::optional<std::string> Game::FileNameProblem(const std::string& name) const {
  if (name.empty()) {
    return Tr("Il nome del file non pu\xF2 essere vuoto.", "The file name can't be empty.");
  }
  if (name == "." || name == "..") {
    return Tr("Il nome del file non pu\xF2 essere \".\" o \"..\".",
              "The file name can't be \".\" or \"..\".");
  }
  if (name.find('/') != std::string::npos) {
    return Tr("Il nome del file non pu\xF2 contenere il carattere \"/\".",
              "The file name can't contain the character \"/\".");
  }
  if (name.find('\0') != std::string::npos) {
    return Tr("Il nome del file non pu\xF2 contenere il carattere nullo.",
              "The file name can't contain the null character.");
  }
  return std::nullopt;
}

void Game::ApriSchemaIncompletoClick() {
  const std::optional<std::filesystem::path> chosen =
      dialogs.OpenFile(CartellaBase / "temi" / "mioschema");
  if (!chosen) return;
  controls.PageControl1.activePage = "TSHelp";
  const std::optional<GameTextContent> unfinished = ReadGameText(*chosen);
  if (!unfinished) return;  // the game in hand stays
  AzzeraGioco();
  ApplyGameText(*unfinished);
}

}  // namespace sudoku
