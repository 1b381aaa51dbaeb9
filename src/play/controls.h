// What the main window's behaviour sees of its controls: a plain model named after the
// controls, which the desktop shell binds to its widgets by name and re-reads after each handler.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "solver/board.h"

namespace sudoku {

// A menu item; options are the check marks of their items.
struct MenuItem {
  bool enabled = true;
  bool checked = false;
  bool visible = true;
  std::string caption;
  std::string hint;
  std::string picture;  // file of the item's picture; empty for none
};

// Push buttons, speed buttons and radio buttons (checked = pressed / selected).
struct Button {
  bool enabled = true;
  bool checked = false;
  bool visible = true;
  std::string caption;
  std::string hint;
};

// Labels, panels and tab sheets: a caption, a hint and a place.
struct Label {
  bool enabled = true;
  bool visible = true;
  std::string caption;
  std::string hint;
  int left = 0;
  int top = 0;
};

// A one-line edit, read-only or hidden ones included.
struct Edit {
  bool enabled = true;
  bool visible = true;
  std::string text;
  std::string hint;
};

// A multi-line text box (memo or rich text).
// The memos hold the chat, whose lines are UTF-8 rather than Latin-1: a person may type any
// character there.
struct Memo {
  bool enabled = true;
  bool visible = true;
  std::vector<std::string> lines;
  // First-line indent in pixels of each line's paragraph (rich text boxes); a line without an
  // entry has none.
  std::vector<int> indents;
};

struct ListColumn {
  std::string caption;
  int width = 50;
  bool centred = false;
};

struct ListRow {
  std::string caption;                // column 0
  std::vector<std::string> subItems;  // columns 1..
};

// A report-style list view; selected is a row index or -1.
struct ListView {
  bool enabled = true;
  bool visible = true;
  std::string hint;
  std::vector<ListColumn> columns;
  std::vector<ListRow> rows;
  int selected = -1;

  const ListRow* Selected() const {
    return selected >= 0 && selected < int(rows.size()) ? &rows[std::size_t(selected)] : nullptr;
  }
};

// A drop-down list; itemIndex is the selected entry or -1.
struct ComboBox {
  bool enabled = true;
  bool visible = true;
  std::vector<std::string> items;
  int itemIndex = -1;

  std::string Text() const {
    return itemIndex >= 0 && itemIndex < int(items.size()) ? items[std::size_t(itemIndex)] : "";
  }
};

// A captioned group of radio items; itemIndex is the selected item or -1.
struct RadioGroup {
  bool enabled = true;
  bool visible = true;
  std::string caption;
  std::vector<std::string> items;
  int itemIndex = -1;
};

struct ProgressBar {
  bool visible = false;
  int max = 100;
  int position = 0;

  void StepBy(int delta) { position = position + delta > max ? max : position + delta; }
};

// A tab control: the name of the tab sheet it shows.
struct PageControl {
  std::string activePage;
};

// A colour swatch: drawn as a circle when selected, as a square otherwise.
struct Shape {
  bool circle = false;
};

// The playing grid: the board it shows (givens drawn from Schema, entries from the cell texts)
// and the current cell.
struct BoardGrid {
  Board board;
  int col = 0;
  int row = 0;
};

// A read-only 9x9 grid of texts, [col][row] as CellIndex.
struct TextGrid {
  std::array<std::string, 81> cells;
};

struct Timer {
  bool enabled = false;
  int interval = 1000;  // ms
};

using ControlRef =
    std::variant<MenuItem*, Button*, Label*, Edit*, Memo*, ListView*, ComboBox*, RadioGroup*,
                 ProgressBar*, PageControl*, Shape*, BoardGrid*, TextGrid*, Timer*>;

struct NamedControl {
  std::string_view name;
  ControlRef control;
};

// An event the main window raises, under its handler's name: the control's name followed by the
// event ("Undo1Click", "SudokuTimerTimer", "WQuilloTitleChange").
struct ControlEvent {
  std::string control;
  std::string name;
  // A menu item that only opens its submenu: its click raises nothing.
  bool opensSubmenu = false;
};

// Every control of the main window that the behaviour reads or writes, under its own name,
// with its initial state (Italian captions).
struct Controls {
  Controls();
  Controls(const Controls&) = delete;
  Controls& operator=(const Controls&) = delete;

  // Every control, each once, in a fixed order.
  const std::vector<NamedControl>& All() const { return all_; }
  // The control of that name; nullptr when there is none.
  const ControlRef* Find(std::string_view name) const;
  // Every event the window raises, each once: the click of every menu item (or its mark as a
  // submenu's item) and button, the swatches' mouse-downs, the timers' ticks, and the events of
  // the lists, tabs and web panes (which hold no state here) that the behaviour answers.
  const std::vector<ControlEvent>& Events() const { return events_; }
  // Whether the window raises that event, a submenu's item never.
  bool Raises(std::string_view event) const;

  // Menu bar.
  MenuItem Sudoku1, Opzioni1, CreaSudoku1, sfida, menuhelp, menulingua;
  // Menu "Sudoku".
  MenuItem ScaricaSchemaweb2, ApriSchemalocale1, ScaricaSchemaweb1, RicominciaPartita,
      SalvaPartita1, RiprendiPartita1, AvviaTimer1, Avvia1, Pausa1, Restart1, Connessione1,
      Statistiche, EXIT1;
  // Menu "Schema".
  MenuItem Undo1, Soluzione1, Vota1, Stampa1, SoluzionePassoPasso1, SoluzioneAutomatica,
      SuggerisciNumero, MostraCandidati, MostraTuttiiCandidati1, EvidenziaErrore,
      Seganalanosoluzioni;
  // Menu "Crea Sudoku".
  MenuItem Salva1, ApriSchemaIncompleto, Pubblica1, NumeroSoluzioni1, Finoa10, Finoa30, Finoa60,
      Istruzioni1;
  // Added at the end of the menu "Sudoku": puzzles as text and the statistics chart.
  MenuItem CopiaSchema1, IncollaSchema1, ImportaSchemi1, GraficoStatistiche1;
  // Last in the menu "Sudoku": pencil marks (the mode, filling, clearing, clearing a placed
  // digit's notes around it) and entries that repeat a digit painted red.
  MenuItem ModalitaNote1, RiempiNote1, CancellaNote1, NoteVicini1, RipetizioniRosse1;
  // Menu "Sfida" and "Help".
  MenuItem LanciaSfida, AccettaSfida, AbbandonaSfida, Classifica, About;

  // Board panel: timer, step and challenge buttons.
  Button SBPlay, SBPause, SPRestart, BAvanti, BIndietro, SBLancia, SBInviaMossa, SBAccetta,
      SBAbbandona, SBInviaMsg;
  // Information tab.
  Button vedisoluzione, Vota, BStampa;
  // Web catalogue filters.
  Button SBApplicaFiltri, SBAvantiWB, SBIndietroWB, SBLoadFromWeb, RBTutti, RBSimmetrici;

  // Labels and panels.
  Label LTitle, LTime, lpos, toolbarColori, PGridSudoku, PSfida, Panel1, Paltrisudoku;
  Label Label1, Label2, Label3, Label4, Label5, Label6, Label12, Label13, Label14, Label15, Label16,
      Label17;
  // Why the cell of the step shown (or of the last hint) holds its digit; empty otherwise.
  Label LSpiegazione;
  // Tab sheets of PageControl1 and (inside TSSudokuFile) PageControl2.
  Label TSSudokuFile, TSInfo, TSHelp, TSTrascina, TSLocale, TSwwwquillo;
  PageControl PageControl1, PageControl2;

  // Information fields and the hidden current puzzle name.
  Edit ETipologia, ECreatore, ENumBase, ELivello, EMediaVoti, EVotanti, ENumeroSchema,
      EDataPubblicazione, enomefile;

  // Challenge text boxes.
  Memo REDialogo, Mricevimsgsfida, MInviamsgsfida;

  ListView LVsudoku;
  ComboBox CBAnno, CBMese;
  RadioGroup RGnbase;
  ProgressBar ProgressBar1;
  Shape ShGiallo, ShRosso, ShAqua, ShVerde;
  BoardGrid sudokugrid;
  TextGrid UAgrid;
  Timer SudokuTimer, CtrlTimer, TimerOnLogin, TimerOnSfida;

 private:
  void DeclareEvents();

  std::vector<NamedControl> all_;
  std::vector<ControlEvent> events_;
};

}  // namespace sudoku
