// The web catalogue: titles, filters, paging, loading a puzzle from the web and the collection
// download request.
#include "online/web_catalogue.h"

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "online/catalogue_title.h"
#include "play/puzzle_files.h"
#include "storage/puzzle_file.h"

namespace sudoku {
namespace {

using testing::MainWindowFixture;

const std::string kSelect = "http://127.0.0.1:8642/sudoku/gioco-offline/sudoku-select-new.asp?of=";
const std::string kDigits(testing::kSolved);

struct CatalogueFixture : MainWindowFixture<> {
  WebCatalogue catalogue{window};
  CatalogueFixture() {
    window.FormCreate(base);
    game.Connesso = game.Registrato = true;
    game.Utente = "mario";
  }
  // The catalogue pane shows `address` with `title`.
  void Show(const std::string& address, const std::string& title) {
    WBTrascina.Navigate(address);
    catalogue.WBTrascinaTitleChange(title);
  }
};

TEST(CatalogueTitleTest, FieldsScrollAndComponents) {
  std::array<std::string, 11> campi;
  campi[7] = "old";
  std::string marker = "quillo";
  std::int32_t x = 5, y = 5;
  ReadCatalogueTitle("123;2;25;45;05/02/2006;7,5;12;quillo;x;40", {campi, marker, x, y});
  EXPECT_EQ(campi[1], "123");
  EXPECT_EQ(campi[5], "05/02/2006");
  EXPECT_EQ(campi[7], "12");
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 40);
  ReadCatalogueTitle("only;two", {campi, marker, x, y});  // short: later targets keep values
  EXPECT_EQ(campi[1], "only");
  EXPECT_EQ(campi[2], "2");
  EXPECT_EQ(y, 0);

  EXPECT_EQ(CatalogueComponents(kSelect + "2026_05_T_00_3_quillo"),
            (std::vector<std::string>{"2026", "05", "T", "00", "3", "quillo"}));
  EXPECT_EQ(CatalogueComponents("a_b_c_d_e_f_g_h_i_j_k_l").size(), 10u);

  EXPECT_EQ(SolutionQuery("12/05/2008", "123"), "2008_05_12_123");
  EXPECT_EQ(SolutionQuery("5-3-09", "77"), "2009_3_5_77");
  EXPECT_EQ(SolutionQuery("20081205", "77"), "___77");
}

TEST(WebCatalogueTest, ATitleIsReadOnlyWhenValidAndAForeignMarkerShowsTheOtherPuzzles) {
  CatalogueFixture f;
  f.Show(kSelect + "2026_05_T_00_3_quillo", kDigits + ";2;25;45;05/02/2006;7,5;12;quillo;0;0");
  EXPECT_EQ(f.game.ComponentiCatalogo[5], "3");
  EXPECT_TRUE(f.game.controls.Panel1.visible);
  EXPECT_EQ(f.wbAltriSudoku.LastAddress(), "about:blank");

  f.Show(kSelect + "2026_05_T_00_4_quillo", "12x;2;25;45;05/02/2006;7,5;12;quillo;0;0");
  EXPECT_EQ(f.game.ComponentiCatalogo[5], "3");  // invalid field 1: the last good address stays

  f.Show(kSelect + "2026_05_T_00_25_quillo",
         kDigits + ";2;25;45;05/02/2006;7,5;12;http://o/a;3;240");
  EXPECT_EQ(f.game.Marcatore, "http://o/a");
  EXPECT_EQ(f.game.ComponentiCatalogo[5], "3");
  EXPECT_TRUE(f.game.controls.Paltrisudoku.visible);
  EXPECT_FALSE(f.game.controls.Panel1.visible);
  EXPECT_EQ(f.wbAltriSudoku.LastAddress(), "http://o/a");
  f.catalogue.wbAltriSudokuDocumentComplete();
  EXPECT_EQ(f.wbAltriSudoku.scroll, std::pair(3, 240));
  f.catalogue.SBAvantiWBClick();  // the marker travels, escaped, in the next addresses
  EXPECT_EQ(f.WBTrascina.LastAddress(), kSelect + "2026_05_T_00_26_http%3A%2F%2Fo%2Fa");
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
  f.game.Connesso = f.game.Registrato = false;
  f.catalogue.SBIndietroWBClick();     // "z0": the connection runs first, and (still offline)
  EXPECT_EQ(f.dialogs.loginShown, 2);  // applying the filters asks once more
  EXPECT_EQ(f.dialogs.messages.at(0).text,
            "Effettua la connessione per navigare fra i sudoku di quillo");

  f.game.Connesso = true;
  f.Show(kSelect + "2026_05_T_00_1_quillo", kDigits + ";2;25;45;05/02/2006;7,5;12;quillo;0;0");
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

TEST(WebCatalogueTest, LoadingThePuzzleShownWritesItIntoTheLibraryAndPlaysIt) {
  CatalogueFixture f;
  const std::string puzzle =
      "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
  std::string digits = puzzle;
  for (char& ch : digits) ch = ch == '.' ? '0' : ch;
  f.Show(kSelect + "2026_05_T_00_1_quillo", digits + ";3;30;45;05/02/2006;7,5;12;quillo;0;0");
  f.catalogue.SBLoadFromWebClick();
  EXPECT_EQ(f.game.controls.enomefile.text, "0045-puzzle_5-2-06.tema");
  const PuzzleFile file = ReadPuzzleFile(f.base / "temi" / "0045-puzzle_5-2-06.tema");
  EXPECT_EQ(file.Info.Creatore, "Admin");
  EXPECT_EQ(file.Info.Tipologia, "da 127.0.0.1");
  EXPECT_EQ(file.Info.NumeroSchema, "45");
  EXPECT_EQ(f.game.board.Schema[CellIndex(0, 0)], "15");
  EXPECT_EQ(f.game.board.Schema[CellIndex(2, 0)], "00");
  EXPECT_EQ(f.game.Formati.DateSeparator, '-');
  EXPECT_TRUE(f.game.controls.SudokuTimer.enabled);

  // A field 1 shorter than a whole puzzle: refused, nothing written.
  f.Show(kSelect + "2026_05_T_00_2_quillo",
         digits.substr(0, 80) + ";3;30;46;05/02/2006;7,5;12;quillo;0;0");
  f.catalogue.SBLoadFromWebClick();
  EXPECT_FALSE(std::filesystem::exists(f.base / "temi" / "0046-puzzle_5-2-06.tema"));
  EXPECT_EQ(f.dialogs.messages.back().kind, BoxKind::Error);

  f.game.Registrato = false;  // a visitor is asked to log in and sees the same page again
  f.catalogue.SBLoadFromWebClick();
  EXPECT_EQ(f.dialogs.loginShown, 1);
}

TEST(WebCatalogueTest, AClickOnACollectionBecomesTheDownloadRequest) {
  CatalogueFixture f;
  f.game.DatiUtente = "01-12-2026";
  const std::string list =
      "http://127.0.0.1:8642/sudoku/download/file-download-list.asp?when=01-12-2026&who=mario";
  EXPECT_FALSE(f.catalogue.WBdownloadBeforeNavigate2(list));
  EXPECT_FALSE(f.catalogue.WBdownloadBeforeNavigate2("http://127.0.0.1:8642/sudoku/x.asp"));
  EXPECT_TRUE(f.catalogue.WBdownloadBeforeNavigate2(
      "http://127.0.0.1:8642/sudoku/download/puzzles-2026-05.zip"));
  EXPECT_EQ(f.WBdownload.navigations.back(), std::pair(list + "&what=puzzles-2026-05.zip", 14));
  EXPECT_EQ(f.dialogs.messages.back().kind, BoxKind::Information);
}

}  // namespace
}  // namespace sudoku
