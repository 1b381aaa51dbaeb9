// Pencil marks on the board: the note keys and commands, their undo snapshots, the side file
// beside the saved game, and the option that paints repeated entries red.
#include <exception>
#include <optional>
#include <system_error>

#include "play/game.h"
#include "play/text_utils.h"
#include "storage/raw_file.h"

namespace sudoku {
namespace {

// Where the two note options are remembered between runs.
constexpr const char* kSettingsKey = "Software\\Sudoku";
constexpr const char* kNoteViciniValue = "NoteVicini";
constexpr const char* kRipetizioniRosseValue = "RipetizioniRosse";

// A valid side file is well under a kilobyte; anything longer is damaged.
constexpr std::size_t kNotesFileLimit = 4096;

}  // namespace

void Game::LoadNoteOptions() {
  const auto read = [this](const char* name, bool fallback) {
    const std::optional<std::string> value = settings.Read(kSettingsKey, name);
    return value ? *value == "1" : fallback;
  };
  controls.NoteVicini1.checked = read(kNoteViciniValue, true);
  controls.RipetizioniRosse1.checked = read(kRipetizioniRosseValue, false);
}

void Game::ModalitaNote1Click() {
  controls.ModalitaNote1.checked = !controls.ModalitaNote1.checked;
}

void Game::NoteVicini1Click() {
  controls.NoteVicini1.checked = !controls.NoteVicini1.checked;
  settings.Write(kSettingsKey, kNoteViciniValue, controls.NoteVicini1.checked ? "1" : "0");
}

void Game::RipetizioniRosse1Click() {
  controls.RipetizioniRosse1.checked = !controls.RipetizioniRosse1.checked;
  settings.Write(kSettingsKey, kRipetizioniRosseValue,
                 controls.RipetizioniRosse1.checked ? "1" : "0");
}

void Game::RiempiNote1Click() {
  const CellNotes before = Note;
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      const bool empty = IsOpenCell(col, row) && board.Texts[CellIndex(col, row)].empty();
      Note.Set(col, row, empty ? NoteMaskOf(Candidati.Text(col, row)) : 0);
    }
  }
  if (Note != before) RecordNotes();
}

void Game::CancellaNote1Click() {
  if (Note.Empty()) return;
  Note.Clear();
  RecordNotes();
}

bool Game::sudokugridNoteKey(int col, int row, int digit, bool modifier) {
  if (digit < 1 || digit > 9 || (!modifier && !controls.ModalitaNote1.checked)) return false;
  if (IsOpenCell(col, row) && board.Texts[CellIndex(col, row)].empty()) {
    Note.Toggle(col, row, digit);
    RecordNotes();
  }
  return true;
}

std::uint16_t Game::NotesShown(int col, int row) const {
  if (!IsOpenCell(col, row) || !board.Texts[CellIndex(col, row)].empty()) return 0;
  return Note.Mask(col, row);
}

std::string Game::DescriviNote(int col, int row) const {
  return NotesInWords(NotesShown(col, row), Lingua == "en");
}

bool Game::ShowsAsRepeat(int col, int row) const {
  if (!controls.RipetizioniRosse1.checked || board.IsGiven(col, row)) return false;
  const std::string& text = board.Texts[CellIndex(col, row)];
  if (text.empty()) return false;
  const int value = TextValue(text);
  for (int c = 0; c < 9; ++c) {
    for (int r = 0; r < 9; ++r) {
      if ((c != col || r != row) && SharesUnit(col, row, c, r) && ValoreCella(c, r) == value) {
        return true;
      }
    }
  }
  return false;
}

void Game::ClearNotes() {
  Note.Clear();
  Storico.ClearNotes();
}

void Game::DropCoveredNotes() {
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) Note.Set(col, row, NotesShown(col, row));
  }
}

void Game::NotesAfterEntry(int col, int row, int digit) {
  Note.Set(col, row, 0);
  if (controls.NoteVicini1.checked) Note.ClearFromPeers(col, row, digit);
  // The entry's own snapshot, just taken (or the newest one, when the history is full).
  Storico.SetNewestNotes(Note);
}

// A change of notes alone takes two snapshots, as an entry does when the grid reports it twice,
// so that one Undo takes back one change.
void Game::RecordNotes() {
  for (int taken = 0; taken < 2 && Storico.Push(TextValues(), Note); ++taken) {
    controls.Undo1.enabled = true;
  }
}

std::filesystem::path Game::SavedNotesPath() const {
  return CartellaBase / "temi" / "partita.note";
}

// Without notes there is no side file, so that older notes never come back with a later game.
void Game::SaveNotes() {
  DropCoveredNotes();
  if (Note.Empty()) {
    std::error_code ignored;
    std::filesystem::remove(SavedNotesPath(), ignored);
    return;
  }
  ReplaceFileContent(SavedNotesPath(), NotesFileText(Note));
}

// A missing, unreadable or damaged side file leaves the resumed game without notes.
void Game::ResumeNotes() {
  std::error_code missing;
  if (!std::filesystem::exists(SavedNotesPath(), missing)) return;
  std::optional<CellNotes> saved;
  try {
    saved = ParseNotesFile(ReadFileBytes(SavedNotesPath(), kNotesFileLimit));
  } catch (const std::exception&) {
    return;
  }
  if (!saved) return;
  Note = *saved;
  DropCoveredNotes();
}

}  // namespace sudoku
