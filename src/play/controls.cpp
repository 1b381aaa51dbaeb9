// The initial state of the main window's controls and the table of their names.
#include "play/controls.h"

#include "play/language.h"

namespace sudoku {

// Captions and tooltips that follow the language come from the caption table, written last.
Controls::Controls() {
  Opzioni1.enabled = CreaSudoku1.enabled = sfida.enabled = false;
  menulingua.caption = "EN";
  menulingua.hint = "English Version";

  EXIT1.caption = "EXIT";
  RicominciaPartita.enabled = false;
  Pausa1.enabled = false;

  SuggerisciNumero.caption = "Suggerisci Numero";
  Undo1.enabled = false;
  NoteVicini1.checked = true;

  SBPlay.caption = "4";
  SBPause.caption = "\xE8";
  SBPause.enabled = false;
  SPRestart.caption = "q";
  BAvanti.enabled = BIndietro.enabled = false;
  SBInviaMossa.enabled = SBInviaMsg.enabled = false;
  SBApplicaFiltri.visible = false;

  LTime.caption = "0h 0m 0s";
  lpos.visible = false;
  PSfida.visible = false;
  Paltrisudoku.visible = false;

  PageControl1.activePage = "TSSudokuFile";
  PageControl2.activePage = "TSLocale";

  enomefile.text = "sud8";
  enomefile.visible = false;

  Mricevimsgsfida.visible = false;

  LVsudoku.columns = {{"Sudoku", 180, false},       {"Numero", 60, false},
                      {"Pubblicato il", 88, false}, {"Numeri Base", 90, false},
                      {"Livello", 54, false},       {"Risolto", 54, true},
                      {"Media Voti", 76, true}};
  for (int n = 20; n <= 29; ++n) RGnbase.items.push_back(std::to_string(n));
  ProgressBar1.visible = false;
  ShGiallo.circle = true;

  SudokuTimer.interval = 1000;
  CtrlTimer.interval = 30000;
  CtrlTimer.enabled = true;
  TimerOnLogin.interval = 10000;
  TimerOnSfida.interval = 10000;

#define SUDOKU_CONTROL(name) all_.push_back({#name, &name})
  SUDOKU_CONTROL(Sudoku1);
  SUDOKU_CONTROL(Opzioni1);
  SUDOKU_CONTROL(CreaSudoku1);
  SUDOKU_CONTROL(sfida);
  SUDOKU_CONTROL(menuhelp);
  SUDOKU_CONTROL(menulingua);
  SUDOKU_CONTROL(ScaricaSchemaweb2);
  SUDOKU_CONTROL(ApriSchemalocale1);
  SUDOKU_CONTROL(ScaricaSchemaweb1);
  SUDOKU_CONTROL(RicominciaPartita);
  SUDOKU_CONTROL(SalvaPartita1);
  SUDOKU_CONTROL(RiprendiPartita1);
  SUDOKU_CONTROL(AvviaTimer1);
  SUDOKU_CONTROL(Avvia1);
  SUDOKU_CONTROL(Pausa1);
  SUDOKU_CONTROL(Restart1);
  SUDOKU_CONTROL(Connessione1);
  SUDOKU_CONTROL(Statistiche);
  SUDOKU_CONTROL(EXIT1);
  SUDOKU_CONTROL(CopiaSchema1);
  SUDOKU_CONTROL(IncollaSchema1);
  SUDOKU_CONTROL(ImportaSchemi1);
  SUDOKU_CONTROL(GraficoStatistiche1);
  SUDOKU_CONTROL(ModalitaNote1);
  SUDOKU_CONTROL(RiempiNote1);
  SUDOKU_CONTROL(CancellaNote1);
  SUDOKU_CONTROL(NoteVicini1);
  SUDOKU_CONTROL(RipetizioniRosse1);
  SUDOKU_CONTROL(Undo1);
  SUDOKU_CONTROL(Soluzione1);
  SUDOKU_CONTROL(Vota1);
  SUDOKU_CONTROL(Stampa1);
  SUDOKU_CONTROL(SoluzionePassoPasso1);
  SUDOKU_CONTROL(SoluzioneAutomatica);
  SUDOKU_CONTROL(SuggerisciNumero);
  SUDOKU_CONTROL(MostraCandidati);
  SUDOKU_CONTROL(MostraTuttiiCandidati1);
  SUDOKU_CONTROL(EvidenziaErrore);
  SUDOKU_CONTROL(Seganalanosoluzioni);
  SUDOKU_CONTROL(Salva1);
  SUDOKU_CONTROL(ApriSchemaIncompleto);
  SUDOKU_CONTROL(Pubblica1);
  SUDOKU_CONTROL(NumeroSoluzioni1);
  SUDOKU_CONTROL(Finoa10);
  SUDOKU_CONTROL(Finoa30);
  SUDOKU_CONTROL(Finoa60);
  SUDOKU_CONTROL(Istruzioni1);
  SUDOKU_CONTROL(LanciaSfida);
  SUDOKU_CONTROL(AccettaSfida);
  SUDOKU_CONTROL(AbbandonaSfida);
  SUDOKU_CONTROL(Classifica);
  SUDOKU_CONTROL(About);
  SUDOKU_CONTROL(SBPlay);
  SUDOKU_CONTROL(SBPause);
  SUDOKU_CONTROL(SPRestart);
  SUDOKU_CONTROL(BAvanti);
  SUDOKU_CONTROL(BIndietro);
  SUDOKU_CONTROL(SBLancia);
  SUDOKU_CONTROL(SBInviaMossa);
  SUDOKU_CONTROL(SBAccetta);
  SUDOKU_CONTROL(SBAbbandona);
  SUDOKU_CONTROL(SBInviaMsg);
  SUDOKU_CONTROL(vedisoluzione);
  SUDOKU_CONTROL(Vota);
  SUDOKU_CONTROL(BStampa);
  SUDOKU_CONTROL(SBApplicaFiltri);
  SUDOKU_CONTROL(SBAvantiWB);
  SUDOKU_CONTROL(SBIndietroWB);
  SUDOKU_CONTROL(SBLoadFromWeb);
  SUDOKU_CONTROL(RBTutti);
  SUDOKU_CONTROL(RBSimmetrici);
  SUDOKU_CONTROL(LTitle);
  SUDOKU_CONTROL(LTime);
  SUDOKU_CONTROL(lpos);
  SUDOKU_CONTROL(LSpiegazione);
  SUDOKU_CONTROL(toolbarColori);
  SUDOKU_CONTROL(PGridSudoku);
  SUDOKU_CONTROL(PSfida);
  SUDOKU_CONTROL(Panel1);
  SUDOKU_CONTROL(Paltrisudoku);
  SUDOKU_CONTROL(Label1);
  SUDOKU_CONTROL(Label2);
  SUDOKU_CONTROL(Label3);
  SUDOKU_CONTROL(Label4);
  SUDOKU_CONTROL(Label5);
  SUDOKU_CONTROL(Label6);
  SUDOKU_CONTROL(Label12);
  SUDOKU_CONTROL(Label13);
  SUDOKU_CONTROL(Label14);
  SUDOKU_CONTROL(Label15);
  SUDOKU_CONTROL(Label16);
  SUDOKU_CONTROL(Label17);
  SUDOKU_CONTROL(TSSudokuFile);
  SUDOKU_CONTROL(TSInfo);
  SUDOKU_CONTROL(TSHelp);
  SUDOKU_CONTROL(TSTrascina);
  SUDOKU_CONTROL(TSLocale);
  SUDOKU_CONTROL(TSwwwquillo);
  SUDOKU_CONTROL(PageControl1);
  SUDOKU_CONTROL(PageControl2);
  SUDOKU_CONTROL(ETipologia);
  SUDOKU_CONTROL(ECreatore);
  SUDOKU_CONTROL(ENumBase);
  SUDOKU_CONTROL(ELivello);
  SUDOKU_CONTROL(EMediaVoti);
  SUDOKU_CONTROL(EVotanti);
  SUDOKU_CONTROL(ENumeroSchema);
  SUDOKU_CONTROL(EDataPubblicazione);
  SUDOKU_CONTROL(enomefile);
  SUDOKU_CONTROL(REDialogo);
  SUDOKU_CONTROL(Mricevimsgsfida);
  SUDOKU_CONTROL(MInviamsgsfida);
  SUDOKU_CONTROL(LVsudoku);
  SUDOKU_CONTROL(CBAnno);
  SUDOKU_CONTROL(CBMese);
  SUDOKU_CONTROL(RGnbase);
  SUDOKU_CONTROL(ProgressBar1);
  SUDOKU_CONTROL(ShGiallo);
  SUDOKU_CONTROL(ShRosso);
  SUDOKU_CONTROL(ShAqua);
  SUDOKU_CONTROL(ShVerde);
  SUDOKU_CONTROL(sudokugrid);
  SUDOKU_CONTROL(UAgrid);
  SUDOKU_CONTROL(SudokuTimer);
  SUDOKU_CONTROL(CtrlTimer);
  SUDOKU_CONTROL(TimerOnLogin);
  SUDOKU_CONTROL(TimerOnSfida);
#undef SUDOKU_CONTROL

  DeclareEvents();
  WriteCaptions(*this, CaptionColumn::Initial);
}

void Controls::DeclareEvents() {
  const auto add = [this](std::string_view control, const char* event, bool submenu = false) {
    events_.push_back({std::string(control), std::string(control) + event, submenu});
  };
  for (const NamedControl& named : all_) {
    const ControlRef& control = named.control;
    if (const auto* item = std::get_if<MenuItem*>(&control)) {
      add(named.name, "Click",
          *item == &Sudoku1 || *item == &Opzioni1 || *item == &CreaSudoku1 || *item == &sfida ||
              *item == &menuhelp || *item == &AvviaTimer1 || *item == &NumeroSoluzioni1);
    } else if (std::holds_alternative<Button*>(control) ||
               std::holds_alternative<RadioGroup*>(control)) {
      add(named.name, "Click");
    } else if (std::holds_alternative<Shape*>(control)) {
      add(named.name, "MouseDown");
    } else if (std::holds_alternative<Timer*>(control)) {
      add(named.name, "Timer");
    } else if (std::holds_alternative<ComboBox*>(control)) {
      add(named.name, "Change");
    } else if (std::holds_alternative<ListView*>(control)) {
      add(named.name, "DblClick");
    }
  }
  add("TSLocale", "Show");
  add("wbAltriSudoku", "DocumentComplete");
  add("WBsoluzione", "DocumentComplete");
  add("WQuillo", "TitleChange");
  add("WBTrascina", "TitleChange");
  add("WBdownload", "BeforeNavigate2");
  for (const char* pane :
       {"WQuillo", "WBdownload", "WBsoluzione", "WBTrascina", "wbAltriSudoku", "wbSfida"}) {
    add(pane, "NavigateError");
  }
}

bool Controls::Raises(std::string_view event) const {
  for (const ControlEvent& declared : events_) {
    if (declared.name == event) return !declared.opensSubmenu;
  }
  return false;
}

const ControlRef* Controls::Find(std::string_view name) const {
  for (const NamedControl& entry : all_) {
    if (entry.name == name) return &entry.control;
  }
  return nullptr;
}

}  // namespace sudoku
