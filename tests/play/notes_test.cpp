// Pencil marks: where a note key lands, the notes a placed digit clears, filling and clearing,
// undo and restart, the side file of the saved game, entries that repeat a digit painted red,
// notes read out in both languages, and that notes never count as entries.
#include <gtest/gtest.h>

#include "play/board_strings.h"
#include "play/cell_description.h"
#include "play/fakes.h"
#include "play/puzzle_files.h"

namespace sudoku::testing {
namespace {

// kPuzzle loaded from the library; row 0 reads 5 3 . . 7 . . . .
struct NotesTest : ::testing::Test {
  GameFixture f{"notes"};
  Game& g = f.game;

  NotesTest() {
    WritePuzzle(f.temi / "p1.tema", kPuzzle);
    g.AggiornaElenco();
    g.controls.LVsudoku.selected = 0;
    g.LVsudokuDblClick();
  }
  // The cell's noted digits, ascending.
  std::string Notes(int col, int row) const {
    std::string digits;
    for (int d = 1; d <= 9; ++d) {
      if (g.Note.Has(col, row, d)) digits += char('0' + d);
    }
    return digits;
  }
  // One entry as the grid reports it: twice, then the key release.
  void Enter(int col, int row, char digit) {
    g.sudokugridSetEditText(col, row, std::string(1, digit));
    g.sudokugridSetEditText(col, row, std::string(1, digit));
    g.sudokugridKeyUp();
  }
};

TEST_F(NotesTest, NoteKeysToggleOnlyInOpenEmptyCellsAndEachChangeIsOneUndo) {
  g.sudokugridSetEditText(3, 0, "6");  // (3, 0) holds an entry, (0, 0) is a given
  const int recorded = g.Storico.NumStorico();
  struct Case {
    int col, row, digit;
    bool modifier, mode, used;
    const char* notes;  // of the cell afterwards
  };
  const Case cases[] = {
      {2, 0, 4, false, false, false, ""},  // a plain digit is an entry
      {2, 0, 4, true, false, true, "4"},   // Ctrl + digit
      {2, 0, 9, false, true, true, "49"},  // note mode
      {2, 0, 4, true, true, true, "9"},    // toggled off again
      {0, 0, 1, true, false, true, ""},    // a given takes no note, the key is still spent
      {3, 0, 1, false, true, true, ""},    // nor does an entry
      {2, 0, 0, true, true, false, "9"},   // 0 is no note
  };
  for (const Case& c : cases) {
    g.controls.ModalitaNote1.checked = c.mode;
    EXPECT_EQ(g.sudokugridNoteKey(c.col, c.row, c.digit, c.modifier), c.used) << c.digit;
    EXPECT_EQ(Notes(c.col, c.row), c.notes) << c.col << c.row << c.digit;
  }
  EXPECT_EQ(g.Storico.NumStorico(), recorded + 6);  // three changes, two snapshots each
  EXPECT_EQ(Texts(g).substr(0, 9), "...6.....");
  for (const char* before : {"49", "4", ""}) {
    SCOPED_TRACE(std::string("back to notes \"") + before + "\"");
    g.Undo1Click();
    EXPECT_EQ(Notes(2, 0), before);
    EXPECT_EQ(Texts(g).substr(0, 9), "...6.....");
  }

  // Read out for a screen reader, in the language in use.
  g.sudokugridNoteKey(2, 0, 7, true);
  g.sudokugridNoteKey(2, 0, 2, true);
  EXPECT_EQ(g.DescriviNote(2, 0), "Note: 2, 7");
  EXPECT_EQ(g.DescriviNote(0, 0), "Nessuna nota");
  g.menulinguaClick();
  EXPECT_EQ(g.DescriviNote(2, 0), "Notes: 2, 7");
  EXPECT_EQ(g.DescriviNote(3, 0), "No notes");
}

// With the option, on by default, a digit placed by an entry takes its note from the cells
// around it; without it only from its own cell. Undo brings them all back.
TEST_F(NotesTest, APlacedDigitClearsItsCellsNotesAndWithTheOptionTheSameNoteAround) {
  for (bool around : {true, false}) {
    SCOPED_TRACE(around ? "notes around cleared" : "notes around kept");
    g.controls.NoteVicini1.checked = around;
    g.CancellaNote1Click();
    const std::pair<int, int> noted[] = {{2, 0}, {3, 0}, {2, 5}, {1, 1}, {8, 6}, {5, 3}};
    for (auto [col, row] : noted) g.sudokugridNoteKey(col, row, 4, true);
    g.sudokugridNoteKey(3, 0, 2, true);
    g.sudokugridNoteKey(2, 0, 1, true);
    const CellNotes before = g.Note;
    Enter(2, 0, '4');
    EXPECT_EQ(Notes(2, 0), "");
    EXPECT_EQ(Notes(3, 0), around ? "2" : "24");  // same row
    EXPECT_EQ(Notes(2, 5), around ? "" : "4");    // same column
    EXPECT_EQ(Notes(1, 1), around ? "" : "4");    // same box
    EXPECT_EQ(Notes(8, 6), "4");
    EXPECT_EQ(Notes(5, 3), "4");
    g.Undo1Click();
    EXPECT_EQ(g.Note, before) << around;
    EXPECT_EQ(g.board.Texts[CellIndex(2, 0)], "");
  }
}

TEST_F(NotesTest, FillWritesTheCandidatesClearEmptiesAndBothAreUndoneLikeEntries) {
  g.sudokugridSetEditText(2, 0, "4");
  g.sudokugridKeyUp();
  g.RiempiNote1Click();
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      const bool open = !g.board.IsGiven(col, row) && g.board.Texts[CellIndex(col, row)].empty();
      EXPECT_EQ(g.Note.Mask(col, row), open ? NoteMaskOf(g.Candidati.Text(col, row)) : 0)
          << col << row;
    }
  }
  EXPECT_FALSE(g.Note.Empty());
  const CellNotes filled = g.Note;
  g.CancellaNote1Click();
  EXPECT_TRUE(g.Note.Empty());
  const int recorded = g.Storico.NumStorico();
  g.CancellaNote1Click();  // nothing to clear: nothing recorded
  EXPECT_EQ(g.Storico.NumStorico(), recorded);
  g.Undo1Click();
  EXPECT_EQ(g.Note, filled);
  g.Undo1Click();
  EXPECT_TRUE(g.Note.Empty());
  EXPECT_EQ(g.board.Texts[CellIndex(2, 0)], "4");

  g.RiempiNote1Click();
  g.controls.LVsudoku.selected = 0;
  g.RicominciaPartitaClick();
  EXPECT_TRUE(g.Note.Empty());
  EXPECT_EQ(g.Storico.NumStorico(), 1);
  g.RiempiNote1Click();
  g.Undo1Click();
  g.Undo1Click();  // back to slot 1 of the reloaded puzzle: no notes there
  EXPECT_TRUE(g.Note.Empty());
}

// Notes are no entries: the grid values, the candidates, the saved game and the solve ignore
// them; the solve comes with the last digit, once.
TEST_F(NotesTest, NotesNeverCountAsEntries) {
  const int last = 6 * 9 + 8;  // (8, 6), left for the end
  for (int i = 0; i < 81; ++i) {
    if (kPuzzle[std::size_t(i)] == '.' && i != last) {
      g.sudokugridSetEditText(i % 9, i / 9, std::string(1, kSolved[std::size_t(i)]));
    }
  }
  g.sudokugridKeyUp();
  ASSERT_TRUE(f.dialogs.messages.empty());
  const auto griglia = g.Griglia;
  const CandidateGrid candidati = g.Candidati;
  g.SalvaPartita1Click();
  const std::string saved = ReadBytes(f.temi / "partita.txt");

  for (int d = 1; d <= 9; ++d) g.sudokugridNoteKey(8, 6, d, true);
  g.sudokugridKeyUp();
  EXPECT_EQ(g.Griglia, griglia);
  EXPECT_EQ(g.Candidati.Text(8, 6), candidati.Text(8, 6));
  EXPECT_TRUE(f.dialogs.messages.empty());
  g.SalvaPartita1Click();
  EXPECT_EQ(ReadBytes(f.temi / "partita.txt"), saved);
  EXPECT_TRUE(std::filesystem::exists(f.temi / "partita.note"));

  Enter(8, 6, kSolved[last]);
  EXPECT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_TRUE(g.Note.Empty());
}

TEST_F(NotesTest, TheSavedGameKeepsItsNotesBesideItAndADamagedSideFileIsIgnored) {
  g.sudokugridNoteKey(2, 0, 4, true);
  g.sudokugridNoteKey(2, 0, 1, true);
  g.sudokugridNoteKey(8, 6, 9, true);
  g.controls.LTime.caption = "0h 1m 0s";
  g.Secondi = 60;
  g.SalvaPartita1Click();
  const CellNotes kept = g.Note;
  const std::string side = ReadBytes(f.temi / "partita.note");
  EXPECT_EQ(side.substr(0, 28), "[note]:" + std::string(18, '#') + "14#");
  EXPECT_EQ(side.size(), 7 + 81 + 3 + 2u);

  EXPECT_TRUE(g.OfferToSaveGame());  // just saved: nothing to ask
  g.CancellaNote1Click();            // a change of notes alone is worth the question
  g.RiprendiPartita1Click();
  EXPECT_EQ(f.dialogs.questions, std::vector<std::string>{"Salvare la partita in corso?"});
  EXPECT_EQ(g.Note, kept);
  EXPECT_EQ(g.Secondi, 60);
  EXPECT_TRUE(g.OfferToSaveGame());  // resumed with its notes: nothing to ask
  EXPECT_EQ(f.dialogs.questions.size(), 1u);

  const std::string tail = side.substr(7);
  for (const std::string& damaged :
       {std::string("[ua]:") + tail, "[note]:#" + tail, "[note]:" + tail.substr(1),
        "[note]:x" + tail, "[note]:44" + tail, "[note]:" + tail + "#", std::string(5000, '#'),
        std::string()}) {
    WriteBytes(f.temi / "partita.note", damaged);
    g.RiprendiPartita1Click();
    EXPECT_TRUE(g.Note.Empty()) << damaged;
    EXPECT_EQ(g.Secondi, 60) << damaged;  // the game itself is resumed
    EXPECT_TRUE(f.dialogs.messages.empty()) << damaged;
  }

  // A later save without notes takes the side file away, so that old notes never return.
  g.SalvaPartita1Click();
  EXPECT_FALSE(std::filesystem::exists(f.temi / "partita.note"));
}

TEST_F(NotesTest, RepeatedEntriesShowRedWhileTheRememberedOptionIsOn) {
  g.sudokugridSetEditText(2, 0, "5");  // repeats the given 5 of its row
  g.sudokugridSetEditText(0, 2, "2");
  g.sudokugridSetEditText(1, 1, "2");  // the 2 twice in the first box
  g.sudokugridSetEditText(8, 6, "4");  // no repeat
  const auto red = [&] {
    std::string cells;
    const std::pair<int, int> looked[] = {{2, 0}, {0, 0}, {0, 2}, {1, 1}, {8, 6}, {5, 5}};
    for (auto [col, row] : looked) {
      cells += g.ShowsAsRepeat(col, row) ? 'R' : '.';
    }
    return cells;
  };
  EXPECT_EQ(red(), "......");  // off by default
  g.RipetizioniRosse1Click();
  EXPECT_EQ(red(), "R.RR..");  // entries only: the given 5 keeps its colour
  g.NoteVicini1Click();

  GameFixture next{"next"};  // a later run reads both options back
  next.settings.values = f.settings.values;
  Game later(Ports{next.dialogs, next.effects, next.clock, next.random, next.settings});
  EXPECT_TRUE(later.controls.RipetizioniRosse1.checked);
  EXPECT_FALSE(later.controls.NoteVicini1.checked);
  EXPECT_TRUE(next.game.controls.NoteVicini1.checked);
}

// A cell read out for a screen reader: an entry, then a colour mark and notes after its place.
TEST(CellDescriptionTest, ReadsPlaceContentMarkAndNotesInBothLanguages) {
  struct Case {
    CellFacts cell;
    const char* italian;
    const char* english;
  };
  const Case cases[] = {
      {{8, 6, 4, false, false, {}, 0}, "Riga 7, colonna 9: 4", "Row 7, column 9: 4"},
      {{1, 2, 0, false, true, {0, 255, 255}, std::uint16_t(1u << 3 | 1u << 8)},
       "Riga 3, colonna 2: vuota, segnata in azzurro, Note: 3, 8",
       "Row 3, column 2: empty, marked aqua, Notes: 3, 8"},
      {{0, 0, 0, false, true, {1, 2, 3}, 0},
       "Riga 1, colonna 1: vuota, segnata",
       "Row 1, column 1: empty, marked"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DescribeCell(c.cell, false), c.italian);
    EXPECT_EQ(DescribeCell(c.cell, true), c.english);
  }
}

}  // namespace
}  // namespace sudoku::testing
