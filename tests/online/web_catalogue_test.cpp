// The web catalogue (titles, filters, paging, a puzzle from the web, the collection download
// request) and the site's pages about the current puzzle, publishing included.
#include "online/web_catalogue.h"

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "online/catalogue_title.h"
#include "online/site_actions.h"
#include "play/board_strings.h"
#include "play/puzzle_files.h"
#include "storage/puzzle_file.h"

namespace sudoku {
namespace {

using testing::MainWindowFixture;

const std::string kSelect = "http://127.0.0.1:8642/sudoku/gioco-offline/sudoku-select-new.asp?of=";
const std::string kDigits(testing::kSolved);

struct CatalogueFixture : MainWindowFixture<> {
  WebCatalogue catalogue{window};
  SiteActions actions{window};
  CatalogueFixture() {
    window.FormCreate(base);
    window.connection.Connesso = window.connection.Registrato = true;
    game.Utente = "mario";
  }
  // The catalogue pane shows page `page` of May 2026 under the "quillo" marker, titled with
  // these first, number, marker and scroll fields.
  void Show(const std::string& page, const std::string& first, const std::string& number = "45",
            const std::string& marker = "quillo", const std::string& scroll = "0;0") {
    WBTrascina.Navigate(kSelect + "2026_05_T_00_" + page + "_quillo");
    catalogue.WBTrascinaTitleChange(first + ";2;25;" + number + ";05/02/2006;7,5;12;" + marker +
                                    ";" + scroll);
  }
};

TEST(CatalogueTitleTest, ShortTitlesBadScrollsManyComponentsAndOddDates) {
  std::array<std::string, 11> campi;
  std::string marker = "quillo";
  std::int32_t x = 5, y = 5;
  ReadCatalogueTitle("1;2;25;45;05/02/2006;7,5;12;quillo;x;40", {campi, marker, x, y});
  EXPECT_EQ(std::pair(x, y), std::pair(0, 40));
  ReadCatalogueTitle("only;two", {campi, marker, x, y});  // short: later targets keep values
  EXPECT_EQ(campi[1] + "|" + campi[2] + "|" + campi[5], "only|2|05/02/2006");
  EXPECT_EQ(CatalogueComponents("a_b_c_d_e_f_g_h_i_j_k_l").size(), 10u);
  EXPECT_EQ(SolutionQuery("5-3-09", "77"), "2009_3_5_77");
  EXPECT_EQ(SolutionQuery("20081205", "77"), "___77");
}

TEST(WebCatalogueTest, ATitleIsReadOnlyWhenValidAndAForeignMarkerShowsTheOtherPuzzles) {
  CatalogueFixture f;
  f.Show("3", kDigits);
  EXPECT_EQ(f.game.ComponentiCatalogo[5], "3");
  EXPECT_TRUE(f.game.controls.Panel1.visible);
  EXPECT_EQ(f.wbAltriSudoku.LastAddress(), "about:blank");

  f.Show("4", "12x");
  EXPECT_EQ(f.game.ComponentiCatalogo[5], "3");  // invalid field 1: the last good address stays

  const std::string other = "http://127.0.0.1:8642/sudoku/a";
  f.Show("25", kDigits, "45", other, "3;240");
  EXPECT_EQ(f.game.ComponentiCatalogo[5], "3");
  EXPECT_TRUE(f.game.controls.Paltrisudoku.visible);
  EXPECT_FALSE(f.game.controls.Panel1.visible);
  EXPECT_EQ(f.wbAltriSudoku.LastAddress(), other);
  f.catalogue.wbAltriSudokuDocumentComplete();
  EXPECT_EQ(f.wbAltriSudoku.scroll, std::pair(3, 240));
  f.catalogue.SBAvantiWBClick();  // the marker travels, escaped, in the next addresses
  EXPECT_EQ(f.WBTrascina.LastAddress(),
            kSelect + "2026_05_T_00_26_http%3A%2F%2F127.0.0.1%3A8642%2Fsudoku%2Fa");

  // A field 8 that is not one of the site's pages is ignored: the marker stays.
  for (const char* foreign :
       {"/etc/hostname", "file:///etc/hostname", "javascript:alert(1)", "http://o/a",
        "http://127.0.0.1:8642@o/a", "http://127.0.0.1:86420/a"}) {
    f.Show("27", kDigits, "45", foreign);
    EXPECT_EQ(f.window.connection.Marcatore, other) << foreign;
    EXPECT_EQ(f.wbAltriSudoku.LastAddress(), other) << foreign;
  }
}

TEST(WebCatalogueTest, FilterControlsSetEachOtherAndTheAddress) {
  CatalogueFixture f;
  Controls& c = f.game.controls;
  c.CBAnno.items = {"2025", "2026"};
  c.CBAnno.itemIndex = 1;
  c.CBMese.itemIndex = 0;
  c.RGnbase.itemIndex = 3;
  f.catalogue.RBSimmetriciClick();
  EXPECT_EQ(c.RGnbase.itemIndex, -1);
  EXPECT_EQ(f.WBTrascina.LastAddress(), kSelect + "2026_05_S_00_1_quillo");

  c.RGnbase.itemIndex = 3;  // the user picks "23"
  f.catalogue.RGnbaseClick();
  EXPECT_FALSE(c.RBTutti.checked || c.RBSimmetrici.checked);
  EXPECT_EQ(f.WBTrascina.LastAddress(), kSelect + "2026_00_T_23_1_quillo");

  c.CBMese.itemIndex = 7;
  f.catalogue.CBMeseChange();
  EXPECT_TRUE(c.RBTutti.checked);
  EXPECT_EQ(f.WBTrascina.LastAddress(), kSelect + "2026_07_T_00_1_quillo");

  c.CBMese.itemIndex = 0;
  f.catalogue.CBMeseChange();
  EXPECT_EQ(f.WBTrascina.LastAddress(), kSelect + "2026_00_T_21_1_quillo");

  c.CBAnno.itemIndex = 0;
  f.catalogue.CBAnnoChange();
  EXPECT_EQ(f.WBTrascina.LastAddress(), kSelect + "2025_00_T_21_1_quillo");
}

TEST(WebCatalogueTest, PagingStopsAtZeroAndConnectsFirstWithoutAnAddress) {
  CatalogueFixture f;
  f.window.connection.Connesso = f.window.connection.Registrato = false;
  f.catalogue.SBIndietroWBClick();     // "z0": the connection runs first, and (still offline)
  EXPECT_EQ(f.dialogs.loginShown, 2);  // applying the filters asks once more

  f.window.connection.Connesso = true;
  f.Show("1", kDigits);
  f.catalogue.SBIndietroWBClick();
  EXPECT_EQ(f.WBTrascina.LastAddress(), kSelect + "2026_05_T_00_0_quillo");
  f.catalogue.SBIndietroWBClick();
  EXPECT_EQ(f.WBTrascina.LastAddress(), kSelect + "2026_05_T_00_0_quillo");

  f.WBTrascina.Navigate(kSelect + "2026_05_T_00_x_quillo");
  f.dialogs.messages.clear();
  f.catalogue.SBAvantiWBClick();  // a page that is no number: reported, nothing loaded
  EXPECT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.WBTrascina.LastAddress(), kSelect + "2026_05_T_00_x_quillo");
}

TEST(WebCatalogueTest, AWholePuzzleIntoTheLibraryForAUserOnlyAndACollectionClickDownloads) {
  CatalogueFixture f;
  std::string digits = kDigits;
  digits[1] = '0';
  f.Show("1", digits);
  f.catalogue.SBLoadFromWebClick();
  const PuzzleFile file = ReadPuzzleFile(f.base / "temi" / "0045-puzzle_5-2-06.tema");
  EXPECT_EQ(file.Info.Creatore + "|" + file.Info.Tipologia, "Admin|da 127.0.0.1");
  EXPECT_EQ(f.game.board.Schema[CellIndex(1, 0)], "00");
  EXPECT_EQ(f.game.Formati.DateSeparator, '-');

  // A field 1 shorter than a whole puzzle: refused, nothing written.
  f.Show("2", digits.substr(0, 80), "46");
  f.catalogue.SBLoadFromWebClick();
  EXPECT_FALSE(std::filesystem::exists(f.base / "temi" / "0046-puzzle_5-2-06.tema"));
  EXPECT_EQ(f.dialogs.messages.back().kind, BoxKind::Error);

  // Only a click on a collection becomes the download request.
  f.window.connection.DatiUtente = "01-12-2026";
  const std::string list =
      "http://127.0.0.1:8642/sudoku/download/file-download-list.asp?when=01-12-2026&who=mario";
  EXPECT_FALSE(f.catalogue.WBdownloadBeforeNavigate2(list));
  EXPECT_FALSE(f.catalogue.WBdownloadBeforeNavigate2("http://127.0.0.1:8642/sudoku/x.asp"));
  EXPECT_TRUE(f.catalogue.WBdownloadBeforeNavigate2(
      "http://127.0.0.1:8642/sudoku/download/puzzles-2026-05.zip"));
  EXPECT_EQ(f.WBdownload.navigations.back(), std::pair(list + "&what=puzzles-2026-05.zip", 14));
  // Only what the list page sends when asked for one file is offered as a collection.
  for (const auto& [address, collection] : std::vector<std::pair<std::string, bool>>{
           {list + "&what=puzzles-2026-05.zip", true},
           {"http://127.0.0.1:8642/sudoku/download/file-download-list.asp?what=p.zip", true},
           {list, false},
           {"http://127.0.0.1:8642/sudoku/download/puzzles-2026-05.zip", false},
           {"http://127.0.0.1:8642/sudoku/download/file-download-list.aspx?what=p.zip", false},
           {"http://o/sudoku/download/file-download-list.asp?what=p.zip", false},
           {"file:///sudoku/download/file-download-list.asp?what=p.zip", false}}) {
    EXPECT_EQ(f.catalogue.IsCollectionDownload(address), collection) << address;
  }

  f.window.connection.Registrato =
      false;  // a visitor is asked to log in and sees the same page again
  f.catalogue.SBLoadFromWebClick();
  EXPECT_EQ(f.dialogs.loginShown, 1);
}

const std::string kOffline = "http://127.0.0.1:8642/sudoku/gioco-offline/";

TEST(SiteActionsTest, OnlyCataloguePuzzlesAreLookedUpAndOnlyWhenConnected) {
  CatalogueFixture f;
  f.game.controls.ENumeroSchema.text = "123";
  f.game.controls.EDataPubblicazione.text = "12/05/2008";
  f.game.SetNomeFile("ute-05-12-2026-18-20-41.tema");
  f.actions.VotaClick();
  EXPECT_EQ(f.dialogs.OnlyMessage(),
            "Questa funzione \xE8 disponibile per i soli schemi scaricati dal nostro sito");
  EXPECT_TRUE(f.WBsoluzione.navigations.empty());

  f.game.SetNomeFile("0123-puzzle_12-5-08.tema");
  f.actions.vedisoluzioneClick();
  EXPECT_EQ(f.WBsoluzione.LastAddress(), kOffline + "soluzioni.asp?of=2008_05_12_123");
  f.actions.BStampaClick();
  f.actions.WBsoluzioneDocumentComplete();
  f.actions.WBsoluzioneDocumentComplete();
  EXPECT_EQ(f.WBsoluzione.printPreviews, 1);

  f.window.connection.Connesso = f.window.connection.Registrato = false;
  f.dialogs.messages.clear();
  f.actions.BStampaClick();
  EXPECT_FALSE(f.game.StampaInAttesa);
  EXPECT_EQ(f.dialogs.OnlyMessage(),
            "Per usare questa funzione devi avere una connessione internet attiva!");
}

TEST(PublishTest, RefusalsInTheirOrderAndTheReductionThatIsSent) {
  const std::string empty(81, '.');
  const std::string seventeen =  // one solution, none of its 17 digits redundant
      "000000010400000000020000000000050407008000300001090000300400200050100000000806000";
  const std::vector<std::array<std::string, 3>> cases = {
      // givens, texts, message
      {"5" + empty.substr(1), "55" + empty.substr(2),
       "Spiacenti!\n\rNon possiamo ritenere valido lo schema in quanto "
       "ottenuto da puzzle gi\xE0 esistente."},
      {empty, "55" + empty.substr(2), "Lo schema in griglia non ammette soluzioni!"},
      {empty, "5" + empty.substr(1), "Lo schema in griglia ha pi\xF9 di una soluzione!"},
      {empty, std::string(testing::kSolved), ""},  // reduced: asked to confirm, refused
      {empty, seventeen, "Complimenti. Salvo duplicazione, il tuo puzzles \xE8 stato pubblicato!"},
  };
  for (const auto& [givens, texts, message] : cases) {
    SCOPED_TRACE(message);
    CatalogueFixture f;
    testing::SetGivens(f.game, givens);
    testing::SetTexts(f.game, texts);
    const bool sent = texts == seventeen;
    f.dialogs.confirmAnswers.push_back(sent);
    f.actions.Pubblica1Click();
    EXPECT_EQ(f.dialogs.OnlyMessage(), message);
    EXPECT_EQ(f.dialogs.confirmations.size(), sent || message.empty() ? 1u : 0u);
    EXPECT_EQ(f.WBsoluzione.LastAddress(),
              sent ? kOffline + "pubblica-sudoku.asp?who=mario&pz=" + seventeen : "");
    EXPECT_FALSE(f.game.controls.ProgressBar1.visible);
  }
}

}  // namespace
}  // namespace sudoku
