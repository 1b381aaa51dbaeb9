// The catalogue tab's handlers.
#include "online/web_catalogue.h"

#include <array>

#include "online/catalogue_title.h"
#include "online/query_value.h"
#include "storage/collection_zip.h"
#include "storage/puzzle_file.h"

namespace sudoku {
namespace {

constexpr const char* kSelectPath = "/sudoku/gioco-offline/sudoku-select-new.asp?of=";
constexpr const char* kListPath = "/sudoku/download/file-download-list.asp";
constexpr std::size_t kMaxNomeFile = 100;

bool AllDigits(const std::string& text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The host of a site address: no scheme, no port, no path.
std::string DomainOf(std::string address) {
  if (const std::size_t scheme = address.find("://"); scheme != std::string::npos) {
    address.erase(0, scheme + 3);
  }
  address = address.substr(0, address.find('/'));
  return address.substr(0, address.find(':'));
}

}  // namespace

std::string WebCatalogue::SelectionAddress(const std::string& components) const {
  return w_.SiteUrl(kSelectPath + components + "_" + QueryValue(w_.connection.Marcatore));
}

void WebCatalogue::WBTrascinaTitleChange(const std::string& title) {
  Game& game = w_.game;
  Controls& c = game.controls;
  // Field 8 names another puzzle page to show only when it is the marker or one of the site's
  // pages: a title never sends a pane to a local file, a script or another host.
  std::string marker = w_.connection.Marcatore;
  ReadCatalogueTitle(title, {game.CampiTitolo, marker, w_.ScorrimentoX, w_.ScorrimentoY});
  if (marker == "quillo" || w_.IsSiteAddress(marker)) w_.connection.Marcatore = marker;
  bool valid = true;
  w_.panes.wbAltriSudoku.Stop();
  if (w_.connection.Marcatore != "quillo") {
    valid = false;
    c.Paltrisudoku.visible = true;
    c.Panel1.visible = false;
    NavigateAndWait(w_.panes.wbAltriSudoku, w_.connection.Marcatore);
  } else {
    c.Paltrisudoku.visible = false;
    c.Panel1.visible = true;
    w_.panes.wbAltriSudoku.Stop();
    w_.panes.wbAltriSudoku.Navigate("about:blank");
  }
  if (title.find(';') == std::string::npos || !AllDigits(game.CampiTitolo[1])) valid = false;
  if (w_.connection.Marcatore == "quillo" && valid) ParseCatalogueAddress();
}

void WebCatalogue::wbAltriSudokuDocumentComplete() {
  w_.panes.wbAltriSudoku.ScrollTo(w_.ScorrimentoX, w_.ScorrimentoY);
}

void WebCatalogue::ParseCatalogueAddress() {
  std::array<std::string, 11>& components = w_.game.ComponentiCatalogo;
  const std::vector<std::string> parts = CatalogueComponents(w_.panes.WBTrascina.LocationURL());
  for (std::size_t i = 0; i < parts.size(); ++i) components[i + 1] = parts[i];
}

void WebCatalogue::AskToConnect() {
  w_.game.dialogs.Message(BoxKind::Plain,
                          w_.game.Tr("Effettua la connessione per navigare fra i sudoku di quillo",
                                     "Make the connection to browse through quillo's sudoku"));
  w_.Connessione1Click();
}

void WebCatalogue::SBApplicaFiltriClick() {
  Game& game = w_.game;
  if (!w_.connection.Connesso) {
    AskToConnect();
    if (!w_.connection.Connesso) return;
  }
  const Controls& c = game.controls;
  const std::string givens =
      c.RGnbase.itemIndex < 0 ? "00_1" : c.RGnbase.items[std::size_t(c.RGnbase.itemIndex)] + "_1";
  w_.panes.WBTrascina.Navigate(SelectionAddress(c.CBAnno.Text() + "_" + c.CBMese.Text() + "_" +
                                                (c.RBSimmetrici.checked ? "S_" : "T_") + givens));
}

void WebCatalogue::ChooseKind(bool symmetric) {
  Controls& c = w_.game.controls;
  c.RBSimmetrici.checked = symmetric;
  c.RBTutti.checked = !symmetric;
  c.RGnbase.itemIndex = -1;
  if (c.CBMese.itemIndex == 0) c.CBMese.itemIndex = 5;
  SBApplicaFiltriClick();
}

void WebCatalogue::RBTuttiClick() {
  ChooseKind(false);
}

void WebCatalogue::RBSimmetriciClick() {
  ChooseKind(true);
}

void WebCatalogue::RGnbaseClick() {
  Controls& c = w_.game.controls;
  c.CBMese.itemIndex = 0;
  c.RBTutti.checked = c.RBSimmetrici.checked = false;
  SBApplicaFiltriClick();
}

void WebCatalogue::FitFiltersToMonth() {
  Controls& c = w_.game.controls;
  if (!c.RBSimmetrici.checked) c.RBTutti.checked = true;
  c.RGnbase.itemIndex = -1;
}

void WebCatalogue::CBMeseChange() {
  Controls& c = w_.game.controls;
  if (c.CBMese.Text() != "00") {
    FitFiltersToMonth();
    SBApplicaFiltriClick();
    return;
  }
  c.RGnbase.itemIndex = 1;
  RGnbaseClick();
}

void WebCatalogue::CBAnnoChange() {
  if (w_.game.controls.CBMese.Text() != "00") FitFiltersToMonth();
  SBApplicaFiltriClick();
}

void WebCatalogue::Page(int step) {
  Game& game = w_.game;
  if (game.ComponentiCatalogo[1] == "z0") {
    AskToConnect();
    SBApplicaFiltriClick();
    ParseCatalogueAddress();
    return;
  }
  ParseCatalogueAddress();
  const std::array<std::string, 11>& k = game.ComponentiCatalogo;
  std::int32_t page = 0;
  if (!ParseInt32(k[5], page)) {
    game.ReportError("'" + k[5] + "' is not a valid integer value");
    return;
  }
  if (step > 0) {
    page = page == INT32_MAX ? page : page + 1;
  } else if (page > 0) {
    page -= 1;
  }
  w_.panes.WBTrascina.Navigate(
      SelectionAddress(k[1] + "_" + k[2] + "_" + k[3] + "_" + k[4] + "_" + std::to_string(page)));
}

void WebCatalogue::SBAvantiWBClick() {
  Page(+1);
}

void WebCatalogue::SBIndietroWBClick() {
  Page(-1);
}

void WebCatalogue::SBLoadFromWebClick() {
  Game& game = w_.game;
  Controls& c = game.controls;
  if (!w_.RegisteredOrAsked("per giocare con questo puzzle!", "to play this puzzle.")) {
    ParseCatalogueAddress();
    const std::array<std::string, 11>& k = game.ComponentiCatalogo;
    w_.panes.WBTrascina.Navigate(
        SelectionAddress(k[1] + "_" + k[2] + "_" + k[3] + "_" + k[4] + "_" + k[5]));
    return;
  }
  const std::array<std::string, 11>& campi = game.CampiTitolo;
  // Only a whole puzzle of 81 digits can be written and played.
  if (campi[1].size() != 81 || !AllDigits(campi[1])) {
    game.dialogs.Message(
        BoxKind::Error, game.Tr("Lo schema mostrato non \xE8 completo: non pu\xF2 essere caricato.",
                                "The puzzle shown is incomplete and cannot be loaded."));
    return;
  }
  c.LVsudoku.selected = -1;
  game.Formati.UseDayMonthYearDashes();
  const std::string name = CataloguePuzzleFileName(campi[4], campi[5]);
  PuzzleInfo info{
      "Admin", "da " + DomainOf(w_.SiteAddress()), campi[3], campi[2], campi[6], campi[7], campi[4],
      campi[5]};
  const std::array<std::int32_t, 81> givens = ValuesOfRowMajor(campi[1]);
  WritePuzzleFile(game.CartellaBase / "temi" / name, info, givens, game.random);
  game.SetNomeFile(name.substr(0, kMaxNomeFile));
  c.RicominciaPartita.enabled = true;
  if (game.CaricaSchema()) game.Restart1Click();
}

bool WebCatalogue::WBdownloadBeforeNavigate2(const std::string& address) {
  Game& game = w_.game;
  if (!w_.connection.Connesso) return false;
  const std::string list =
      w_.SiteUrl(std::string(kListPath) + "?when=" + QueryValue(w_.connection.DatiUtente) +
                 "&who=" + QueryValue(game.Utente));
  const std::string file = address.substr(address.rfind('/') + 1);
  if (address == list || file.rfind("puzzles", 0) != 0) return false;
  w_.connection.OpzioniNavigazione = kNavigationFlags;
  w_.panes.WBdownload.Navigate(list + "&what=" + QueryValue(file), kNavigationFlags);
  game.dialogs.Message(
      BoxKind::Information,
      game.Tr("Una volta salvato il file, eseguilo indicando ../sudoku/temi/ come directory dove "
              "unzippare i file!",
              "Once the file is saved, run it and indicates ../sudoku/temi/ as directory where "
              "unzip the file."));
  return true;
}

bool WebCatalogue::IsCollectionDownload(const std::string& address) const {
  const std::string list = w_.SiteUrl(kListPath);
  if (!w_.IsSiteAddress(address) || address.compare(0, list.size() + 1, list + "?") != 0) {
    return false;
  }
  const std::string query = address.substr(list.size());
  return query.find("?what=") != std::string::npos || query.find("&what=") != std::string::npos;
}

bool WebCatalogue::CollectionDownloadRequested(const std::string& fileName) {
  const Game& game = w_.game;
  return game.dialogs.Confirm(game.Lingua == "en"
                                  ? "Save the collection " + fileName + " in the temi folder?"
                                  : "Salvare la raccolta " + fileName + " nella cartella temi?");
}

void WebCatalogue::CollectionDownloaded(const std::filesystem::path& zip) {
  Game& game = w_.game;
  const bool en = game.Lingua == "en";
  const std::string name = zip.filename().string();
  if (!game.dialogs.Confirm(en ? "Add the puzzles of the collection " + name + " to the library?"
                               : "Aggiungere alla libreria gli schemi della raccolta " + name +
                                     "?")) {
    return;
  }
  CollectionImport result;
  try {
    result = ExtractCollection(zip, game.CartellaBase / "temi");
  } catch (const std::exception& error) {
    std::error_code ignored;
    std::filesystem::remove(zip, ignored);
    game.dialogs.Message(BoxKind::Error, (en ? "The collection cannot be read: "
                                             : "La raccolta non si pu\xF2 leggere: ") +
                                             std::string(error.what()));
    return;
  }
  game.AggiornaElenco();
  game.dialogs.Message(BoxKind::Information,
                       (en ? "Puzzles added to the library: " : "Schemi aggiunti alla libreria: ") +
                           std::to_string(result.added) + "\n\r" +
                           (en ? "Puzzles skipped: " : "Schemi saltati: ") +
                           std::to_string(result.skipped));
}

void WebCatalogue::CollectionDownloadFailed(const std::filesystem::path& zip) {
  Game& game = w_.game;
  std::error_code ignored;
  std::filesystem::remove(zip, ignored);
  game.dialogs.Message(BoxKind::Error, game.Tr("Lo scaricamento della raccolta non \xE8 riuscito.",
                                               "The collection could not be downloaded."));
}

}  // namespace sudoku
