// The rows of the caption table. Menu separators read "-" in both languages and are left out.
#include "play/captions.h"

#include <array>

namespace sudoku {
namespace {

using K = CaptionKind;

constexpr CaptionRow C(std::string_view control, std::string_view italian, std::string_view english,
                       std::string_view initial = {}) {
  return {control, K::Caption, italian, english, initial, -1};
}
constexpr CaptionRow T(std::string_view control, std::string_view italian, std::string_view english,
                       std::string_view initial = {}) {
  return {control, K::Tooltip, italian, english, initial, -1};
}
constexpr CaptionRow Col(int column, std::string_view italian, std::string_view english) {
  return {"LVsudoku", K::Column, italian, english, {}, column};
}

constexpr CaptionRow A(std::string_view control, std::string_view italian,
                       std::string_view english) {
  return {control, K::AccessibleName, italian, english, {}, -1};
}
constexpr CaptionRow D(std::string_view control, std::string_view italian,
                       std::string_view english) {
  return {control, K::AccessibleDescription, italian, english, {}, -1};
}

// %d, %r and %c stand for the digit, the row and the column.
constexpr CaptionRow N(std::string_view event, std::string_view italian, std::string_view english) {
  return {event, K::Announcement, italian, english, {}, -1};
}

constexpr std::array kRows = {
    C("Sudoku1", "Sudoku", "Sudoku"),
    C("Opzioni1", "Schema", "Puzzle"),
    C("CreaSudoku1", "Crea Sudoku", "Create Sudoku"),
    C("sfida", "Sfida", "Challenge"),
    C("menuhelp", "Help", "Help"),
    C("ScaricaSchemaweb2", "Apri Schema (web)", "Open Puzzle (web)"),
    C("ApriSchemalocale1", "Apri Schema (locale)", "Open Puzzle (local)"),
    C("ScaricaSchemaweb1", "Scarica Schema (web)", "Download Puzzle (web)",
      "Raccolta Schemi (web)"),
    C("RicominciaPartita", "Ricomincia Partita", "Restart Game"),
    C("SalvaPartita1", "Salva Partita", "Save Game"),
    C("RiprendiPartita1", "Riprendi Partita", "Open Saved Game"),
    C("AvviaTimer1", "Timer", "Timer"),
    C("Avvia1", "Avvia", "Start"),
    C("Pausa1", "Pausa", "Pause"),
    C("Restart1", "Restart", "Restart"),
    C("Connessione1", "Connessione", "Connect"),
    C("Statistiche", "Statistiche", "Statistics"),
    C("CopiaSchema1", "Copia schema", "Copy puzzle"),
    C("IncollaSchema1", "Incolla schema", "Paste puzzle"),
    C("ImportaSchemi1", "Importa schemi...", "Import puzzles..."),
    C("GraficoStatistiche1", "Grafico statistiche", "Statistics chart"),
    C("ModalitaNote1", "Modalit\xE0 note", "Notes mode"),
    C("RiempiNote1", "Riempi note", "Fill notes"),
    C("CancellaNote1", "Cancella note", "Clear notes"),
    C("NoteVicini1", "Togli le note del numero inserito", "Remove notes of a placed digit"),
    C("RipetizioniRosse1", "Numeri ripetuti in rosso", "Repeated digits in red"),
    C("Undo1", "Annulla", "Undo"),
    C("Soluzione1", "Soluzione", "Solution"),
    C("Vota1", "Vota", "Vote"),
    C("Stampa1", "Stampa", "Print"),
    C("SoluzionePassoPasso1", "Soluzione Passo Passo", "Step by Step Solution"),
    C("SoluzioneAutomatica", "Soluzione Automatica", "Automatic Solution"),
    C("Salva1", "Salva", "Save"),
    C("ApriSchemaIncompleto", "Apri Schema Incompleto", "Open unfinished puzzle"),
    C("Pubblica1", "Pubblica", "Publish"),
    C("NumeroSoluzioni1", "Numero Soluzioni", "Count Solutions"),
    C("Finoa10", "Fino a 10", "Up to 10"),
    C("Finoa30", "Fino a 30", "Up to 30"),
    C("Finoa60", "Fino a 60", "Up to 60"),
    C("Istruzioni1", "Istruzioni", "Instructions"),
    C("LanciaSfida", "Lancia", "Launch"),
    C("AccettaSfida", "Accetta", "Accept"),
    C("AbbandonaSfida", "Abbandona", "Leave"),
    C("Classifica", "Classifica", "Graded Results"),
    C("MostraCandidati", "Mostra Candidati", "Show Candidate"),
    C("MostraTuttiiCandidati1", "Mostra Tutti i Candidati", "Show All Candidate"),
    C("EvidenziaErrore", "Evidenzia Errore", "Highlights Error"),
    C("Seganalanosoluzioni", "Segnala 0 Soluzioni", "Indicates 0 Solutions", "Segnala 0 soluzioni"),
    C("About", "About", "About"),
    C("TSSudokuFile", "Seleziona Sudoku", "Sudoku Select"),
    C("TSInfo", "Info Schema & Soluzione", "Puzzle Information&Solution",
      "Info Schema & Soluzione  "),
    C("TSHelp", "Candidati", "Candidates"),
    C("TSTrascina", "OnLine", "OnLine"),
    C("TSLocale", "Locale", "Local"),
    C("TSwwwquillo", "Raccolta da Scaricare", "Download Collection"),
    C("Label1", "Tipo Schema", "Kind of Puzzle"),
    C("Label12", "Num Base", "Givens"),
    C("Label13", "Livello", "Level"),
    C("Label16", "Numero", "Number"),
    C("Label17", "Pubblicato il", "Published on"),
    C("Label14", "Media Voti", "Average votes"),
    C("Label15", "Votanti", "Voters"),
    C("Label3", "Creato da", "Create by"),
    C("Label2", "Griglia dei valori ammissibili per singola cella",
      "Grid of candidates for every cells"),
    C("Label6", "Criteri di Selezione", "Selection Criteria"),
    T("Label6", "Imposta i criteri, naviga con le frecce blu, carica lo schema scelto.",
      "Set the criteria, navigate with the blue arrows, upload the chosen puzzle.",
      "Imposta i criteri, clicca applica, naviga con le frecce blu, carica lo schema scelto."),
    T("SBApplicaFiltri", "Applica i Criteri di Selezione", "Apply Selection criteria"),
    T("SBAvantiWB", "Schema Successivo", "Next Puzzle"),
    T("SBIndietroWB", "Schema Precedente", "Previous Puzzle"),
    T("SBLoadFromWeb", "Carica Schema", "Upload selected puzzle"),
    T("LVsudoku", "Doppio Click per caricare lo schema", "Double Click upload the puzzle"),
    T("vedisoluzione", "Vedi Soluzione Online", "Show Online Solution"),
    T("Vota", "Vota Sudoku", "Vote Puzzle"),
    T("BStampa", "Apri Stampa", "Print Puzzle"),
    T("BAvanti", "Suggerisci un numero", "Discover a cell"),
    T("BIndietro", "Annulla suggerimento", "Undo Discover"),
    T("SBPause", "Pause Timer", "Pause Timer"),
    T("SBPlay", "Timer On", "Timer On"),
    T("SPRestart", "Restart Timer", "Restart Timer"),
    T("toolbarColori", "Usa i colori per marcare le caselle con il tasto destro del mouse",
      "Use these colors to markup the cells by right click on them"),
    T("SBLancia", "Lancia Sfida", "Challange"),
    T("SBInviaMossa", "Invia Mossa", "Send Numbers"),
    T("SBAccetta", "Accetta Sfida", "Accept Challange"),
    T("SBAbbandona", "Abbandona sfida", "Leave Challange"),
    T("SBInviaMsg", "Invia Messaggio", "Send Message"),
    C("RBTutti", "Tutti", "All"),
    C("RBSimmetrici", "Simmetrici", "Symmetric"),
    C("Label5", "Mese", "Month"),
    C("Label4", "Anno", "Year"),
    C("RGnbase", "Numeri Base", "Givens"),
    Col(0, "Sudoku", "Sudoku"),
    Col(1, "Numero", "Number"),
    Col(2, "Pubblicato il", "Published on"),
    Col(3, "Numeri Base", "Givens"),
    Col(4, "Livello", "Level"),
    Col(5, "Risolto", "Solved"),
    Col(6, "Media Voti", "Average vote"),
    // Controls whose caption is a symbol, a shape or nothing at all.
    A("SBPlay", "Avvia", "Start"),
    A("SBPause", "Pausa", "Pause"),
    A("SPRestart", "Ricomincia", "Restart"),
    A("BIndietro", "Annulla suggerimento", "Undo Discover"),
    A("BAvanti", "Suggerisci un numero", "Discover a cell"),
    A("SBIndietroWB", "Schema precedente", "Previous puzzle"),
    A("SBAvantiWB", "Schema successivo", "Next puzzle"),
    A("SBLoadFromWeb", "Carica schema", "Upload puzzle"),
    A("SBApplicaFiltri", "Applica i criteri", "Apply criteria"),
    A("toolbarColori", "Colori per marcare le caselle", "Colours to mark the cells"),
    A("ShGiallo", "Giallo", "Yellow"),
    A("ShRosso", "Rosso", "Red"),
    A("ShAqua", "Azzurro", "Aqua"),
    A("ShVerde", "Verde", "Green"),
    A("sudokugrid", "Griglia del sudoku", "Sudoku grid"),
    D("sudokugrid", "Frecce per muoversi, cifre per scrivere, Ctrl+cifra per le note",
      "Arrows move, digits write, Ctrl+digit writes notes"),
    A("UAgrid", "Griglia dei candidati", "Grid of candidates"),
    A("LVsudoku", "Schemi della raccolta", "Puzzles of the library"),
    A("CBAnno", "Anno", "Year"),
    A("CBMese", "Mese", "Month"),
    A("enomefile", "Nome dello schema", "Puzzle file name"),
    A("REDialogo", "Dialogo della sfida", "Challenge conversation"),
    A("Mricevimsgsfida", "Messaggi ricevuti", "Messages received"),
    A("MInviamsgsfida", "Messaggio da inviare", "Message to send"),
    A("LSpiegazione", "Spiegazione del passo", "Explanation of the step"),
    A("WBdownload", "Raccolte da scaricare dal sito", "Collections to download from the site"),
    A("WBTrascina", "Schemi del sito", "Puzzles of the site"),
    A("wbAltriSudoku", "Altri sudoku del sito", "Other sudoku of the site"),
    A("WBsoluzione", "Soluzione dal sito", "Solution from the site"),
    A("wbSfida", "Pagina della sfida", "Challenge page"),
    A("WQuillo", "Sala delle sfide", "Challenge lobby"),
    N("Placed", "Inserito %d in riga %r, colonna %c", "Placed %d at row %r, column %c"),
    N("NoCandidates", "Errore: nessun candidato in riga %r, colonna %c",
      "Error: no candidates left at row %r, column %c"),
    N("Solved", "Complimenti! Schema risolto", "Congratulations! Puzzle solved"),
    N("Hint", "Suggerimento: %d in riga %r, colonna %c.", "Hint: %d at row %r, column %c."),
};

}  // namespace

std::span<const CaptionRow> CaptionTable() {
  return kRows;
}

LanguageItemTexts LanguageItemFor(std::string_view lingua) {
  if (lingua == "en") return {"IT", "Versione Italiana", "flag_it.bmp"};
  return {"EN", "English Version", "flag_en.bmp"};
}

}  // namespace sudoku
