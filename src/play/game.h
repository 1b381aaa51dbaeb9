// The main window's behaviour: one object for the whole run that owns the board, the game state
// and the model of the controls, with one member function per event handler.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "play/cell_notes.h"
#include "play/controls.h"
#include "play/format_settings.h"
#include "play/key_code.h"
#include "play/ports.h"
#include "play/puzzle_info_cache.h"
#include "play/undo_history.h"
#include "solver/board.h"
#include "solver/candidate_grid.h"
#include "solver/cell_explanation.h"
#include "solver/solution_counter.h"
#include "solver/step_log.h"
#include "storage/game_text_file.h"
#include "storage/puzzle_file.h"

namespace sudoku {

// The ports the behaviour talks through; they must outlive the Game.
struct Ports {
  Dialogs& dialogs;
  Effects& effects;
  Clock& clock;
  Random& random;
  SettingsStore& settings;
};

enum class MouseButton { Left, Right, Middle };

// The last key pressed in the grid when it was one of the nine navigation keys, each named
// after the flag that stands for it; None after any other key.
enum class NavigationKey {
  None,
  TastoSinistra,
  TastoSu,
  TastoDestra,
  TastoGiu,
  TastoTab,
  TastoPagSu,
  TastoPagGiu,
  TastoFine,
  TastoInizio,
};

class Game {
 public:
  explicit Game(const Ports& ports);
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // ---- Ports.
  Dialogs& dialogs;
  Effects& effects;
  Clock& clock;
  Random& random;
  SettingsStore& settings;

  // ---- Controls, and the state that lives in them.
  Controls controls;
  // Schema (the puzzle codes) and the cell texts of sudokugrid.
  Board& board = controls.sudokugrid.board;

  // ---- Board and game state.
  std::array<std::int32_t, 81> Griglia{};  // value of every cell, 0 = empty
  CandidateGrid Candidati;
  CountState counter;   // NumSoluzioni and Soluzione of the last count
  StepLog steps;        // Passi, NumPassi, PassoCorrente, PassoPasso
  UndoHistory Storico;  // with each snapshot's notes
  // The player's pencil marks, kept only in open empty cells; they never count as entries.
  CellNotes Note;

  NavigationKey Tasto = NavigationKey::None;  // the remembered navigation key

  std::int32_t Secondi = 0;  // playing time of the game timer

  std::string Lingua = "it";  // "en" shows the English texts
  std::string Utente;
  bool SfidaInCorso = false;
  std::filesystem::path CartellaBase;  // every file lives under it
  std::uint16_t Anno = 0, Mese = 0, Giorno = 0;
  bool StampaInAttesa = false;
  FormatSettings Formati;  // the process-wide date and time formatting

  // Library list and web catalogue.
  std::int32_t ColonnaOrdinamento = 0;
  PuzzleInfoCache InfoLibreria;  // the list's records of files unchanged since they were read
  std::array<std::string, 11> ComponentiCatalogo;  // [1..10]; [1] is "z0" until an address is read
  std::array<std::string, 11> CampiTitolo;         // [1..10]

  // ---- Texts.
  // The English text when Lingua is "en", the Italian one otherwise.
  const char* Tr(const char* italian, const char* english) const;
  // The general error report: an error box, after which the program goes on.
  void ReportError(const std::string& text);

  // ---- Board.
  // The cell's value: its text's number, else its given digit, else 0.
  int ValoreCella(int col, int row) const;
  void AzzeraGriglia();
  void AggiornaGriglia();
  void RefreshCandidateGrid();

  // ---- Cell entry.
  // Whether the cell may be selected and edited: its code starts with "0".
  bool IsOpenCell(int col, int row) const;
  void sudokugridKeyDown(KeyCode key);
  // Asked before (col, row) becomes the current cell; leaves the current cell in
  // controls.sudokugrid (the target, the cell the cursor was pushed to, or unchanged).
  // True when the target itself may be selected.
  bool sudokugridSelectCell(int col, int row);
  void sudokugridSetEditText(int col, int row, const std::string& text);
  void sudokugridKeyUp();
  void sudokugridMouseMove(int x, int y);
  void sudokugridExit();

  // ---- Options: each click flips its item's check mark.
  void MostraCandidatiClick();
  void EvidenziaErroreClick();
  void SeganalanosoluzioniClick();

  // ---- Colour marks.
  void sudokugridMouseDown(MouseButton button, int x, int y);
  void ShGialloMouseDown();
  void ShRossoMouseDown();
  void ShAquaMouseDown();
  void ShVerdeMouseDown();
  void MostraTuttiiCandidati1Click();
  // The colour of the selected swatch.
  Rgb MarkColour() const;

  // ---- Game timer, sounds, undo, restart.
  void SBPlayClick();
  void SBPauseClick();
  void Avvia1Click();
  void Pausa1Click();
  void Restart1Click();
  void SPRestartClick();
  void SudokuTimerTimer();
  void Undo1Click();
  void RicominciaPartitaClick();
  void Playsound(const std::filesystem::path& path);

  // ---- Language: the language item switches Lingua and rewrites every caption.
  void menulinguaClick();
  void ImpostaLingua();

  // ---- Statistics.
  void RegistraSoluzione();
  void StatisticheClick();

  // ---- Puzzle library.
  void AggiornaElenco();
  // Negative when row1 sorts before row2 by ColonnaOrdinamento; throws std::runtime_error when
  // a numeric column holds a text that is not a number.
  int LVsudokuCompare(const ListRow& row1, const ListRow& row2) const;
  void LVsudokuColumnClick(int column);
  // Loads the puzzle named by enomefile. False, with an error shown and nothing changed, when
  // the file cannot be read or is not a puzzle.
  bool CaricaSchema();
  void AzzeraGioco();
  void LVsudokuDblClick();
  void enomefileChange();
  void ApriSchemalocale1Click();
  // Sets the text of enomefile, the name of the current puzzle file; a change runs
  // enomefileChange, as the edit's change event does.
  void SetNomeFile(const std::string& name);
  // The shell calls it when the user brings the tab "Locale" to the front; pages set from code
  // refresh the list themselves.
  void TSLocaleShow();

  // ---- Solution counter, step-by-step solution and hint.
  // The counting protocol on the board: NumSoluzioni := 0, BuildCandidates, CountSolutions with
  // limit, each trial placement advancing ProgressBar1. Returns NumSoluzioni.
  std::int32_t CountBoardSolutions(std::int32_t limit);
  void Finoa10Click();
  void Finoa30Click();
  void Finoa60Click();
  void SoluzioneAutomaticaClick();
  void SoluzionePassoPasso1Click();
  void BAvantiClick();
  void BIndietroClick();
  void SuggerisciNumeroClick();
  // Shows the explanation in LSpiegazione in the language of Lingua (and again at every switch
  // of language), or clears it.
  void ShowExplanation(const std::optional<Explanation>& explanation);

  // ---- Pencil marks and repeated digits.
  void ModalitaNote1Click();
  void RiempiNote1Click();
  void CancellaNote1Click();
  void NoteVicini1Click();
  void RipetizioniRosse1Click();
  // A digit key on the grid's current cell (col, row). With the modifier, or in note mode, it
  // is a note: toggled in an open empty cell, ignored elsewhere, and true is returned. Otherwise
  // false: the key is an ordinary entry.
  bool sudokugridNoteKey(int col, int row, int digit, bool modifier);
  // The notes the cell shows: none unless it is open and empty.
  std::uint16_t NotesShown(int col, int row) const;
  // The cell's notes in words, in the language in use.
  std::string DescriviNote(int col, int row) const;
  // The cell holds an entry whose digit repeats in its row, column or box, and the option that
  // paints such entries red is on.
  bool ShowsAsRepeat(int col, int row) const;

  // ---- Saved game and puzzle authoring.
  void SalvaPartita1Click();
  void RiprendiPartita1Click();
  // A game is in progress: timed, not solved, and its cells changed since the board was last
  // loaded, resumed or saved.
  bool GameInProgress() const;
  // Before the game in hand is lost: asks whether to save it. Yes saves it as "Salva Partita"
  // does; false when the user cancels (the game in hand then stays).
  bool OfferToSaveGame();
  void Salva1Click();
  void ApriSchemaIncompletoClick();

  // ---- Puzzles in and out as text.
  // The board as 81 characters row by row, "." for an empty cell (the clipboard's copy).
  std::string CopiaSchemaText() const;
  // A puzzle pasted as text: refused unless it has exactly one solution, else written into
  // the library, listed and loaded.
  void IncollaSchemaText(const std::string& text);
  // Asks for a text file of puzzles, one a line, and adds each new one with a single solution
  // to the library; a summary tells what was added, what was already there and which lines
  // were not puzzles.
  void ImportaSchemi1Click();

 private:
  // Ends the game in hand: step records, timer count, history, board and remembered key.
  void ClearGame();
  // After the board is rewritten: a cursor left on a cell that is not open moves to the first
  // open cell in column-major order (it stays when there is none).
  void KeepCursorOnOpenCell();
  void AnnounceSolve();
  void CountSolutionsAfterEntry();
  void StartTimer();
  void PauseTimer();
  void SortLibrary();
  // The file of the library's puzzle named by a list caption (a Latin-1 text).
  std::filesystem::path PuzzlePath(const std::string& name) const;
  // Reads that puzzle; nothing, with an error box naming the file, when it cannot be read or is
  // not a puzzle.
  std::optional<PuzzleFile> ReadChosenPuzzle(const std::string& name);
  bool IsSolved() const;
  void ShowSolutionCount(std::int32_t limit);
  // A box whose kind, as well as its text, depends on the language.
  void Tell(BoxKind italianKind, const std::string& italian, BoxKind englishKind,
            const std::string& english);
  // Fills the cell of sudokugrid red, pauses ms with the window repainted, then clears it.
  void FlashCell(int col, int row, int ms);
  std::filesystem::path SavedGamePath() const;
  // Reads a saved-game or unfinished-puzzle file; nothing, with an error shown, when the file
  // cannot be read or its grid is damaged.
  std::optional<GameTextContent> ReadGameText(const std::filesystem::path& path);
  // Fills the reset board and the time display from such a file and rebuilds the board.
  void ApplyGameText(const GameTextContent& saved);
  void SaveAuthoredPuzzle();
  void SaveUnfinishedPuzzle();
  // Why name cannot be the name of an unfinished-puzzle file, or nothing when it can.
  std::optional<std::string> FileNameProblem(const std::string& name) const;
  enum class AddOutcome { Added, Duplicate, NoSolution, SeveralSolutions };
  // Writes a puzzle with a single solution into the library under a name made from its cells.
  AddOutcome AddToLibrary(const std::array<std::int32_t, 81>& givens, const std::string& creator,
                          std::string& fileName);
  // Notes: the option values kept in the settings, the notes of an accepted entry, two undo
  // snapshots for a change of notes alone, the side file of the saved game.
  void LoadNoteOptions();
  void ClearNotes();
  void DropCoveredNotes();
  void NotesAfterEntry(int col, int row, int digit);
  void RecordNotes();
  std::filesystem::path SavedNotesPath() const;
  void SaveNotes();
  void ResumeNotes();
  // The value of every cell, as ValoreCella gives it.
  Snapshot CellValues() const;
  // The value of every cell's text, 0 where it is empty: what an undo snapshot records.
  Snapshot TextValues() const;
  // The board and its notes are as their files have them: nothing to save until one changes.
  void RememberStoredBoard() {
    storedValues_ = CellValues();
    storedNotes_ = Note;
  }
  bool solvedAnnounced_ = false;          // the current solve has been announced
  Snapshot storedValues_{};               // the cells as last loaded, resumed or saved
  CellNotes storedNotes_;                 // their notes then
  std::optional<Explanation> explained_;  // what LSpiegazione tells
};

}  // namespace sudoku
