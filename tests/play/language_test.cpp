// The language item: captions and tooltips of both languages, the start-up texts, and the
// flag picture of the item.
#include <gtest/gtest.h>

#include "play/captions.h"
#include "play/fakes.h"
#include "play/game.h"

namespace sudoku {
namespace {

using testing::GameFixture;

// A sample of each kind of row (menu item, tab, list column, hint, the item itself) stands for
// the table; the start-up texts differ from the Italian column in four rows.
TEST(LanguageTest, TheItemSwitchesEveryKindOfTextBothWays) {
  GameFixture f;
  Game& game = f.game;
  const Controls& c = game.controls;
  EXPECT_EQ(c.ScaricaSchemaweb1.caption, "Raccolta Schemi (web)");
  int ownInitial = 0;
  for (const CaptionRow& row : CaptionTable()) ownInitial += row.InitialText() != row.italian;
  EXPECT_EQ(ownInitial, 4);

  game.menulinguaClick();
  EXPECT_EQ(game.Lingua, "en");
  EXPECT_EQ(c.menulingua.caption + "|" + c.menulingua.hint, "IT|Versione Italiana");
  EXPECT_EQ(c.menulingua.picture, (f.base / "noconnect" / "flag_it.bmp").string());
  EXPECT_EQ(c.Opzioni1.caption, "Puzzle");
  EXPECT_EQ(c.TSInfo.caption, "Puzzle Information&Solution");
  EXPECT_EQ(c.LVsudoku.columns[5].caption, "Solved");
  EXPECT_EQ(c.LVsudoku.hint, "Double Click upload the puzzle");
  EXPECT_EQ(c.SuggerisciNumero.caption, "Suggerisci Numero");  // outside the table
  EXPECT_STREQ(game.Tr("Pausa", "Pause"), "Pause");

  game.menulinguaClick();  // the Italian column, over the start-up texts too
  EXPECT_EQ(game.Lingua, "it");
  EXPECT_EQ(c.menulingua.picture, (f.base / "noconnect" / "flag_en.bmp").string());
  EXPECT_EQ(c.ScaricaSchemaweb1.caption, "Scarica Schema (web)");
  EXPECT_EQ(c.LVsudoku.columns[5].caption, "Risolto");
  EXPECT_STREQ(game.Tr("Pausa", "Pause"), "Pausa");

  game.Lingua = "fr";  // anything but English is Italian, and the item goes to Italian
  game.ImpostaLingua();
  EXPECT_EQ(c.Opzioni1.caption, "Schema");
  game.menulinguaClick();
  EXPECT_EQ(game.Lingua, "it");
}

}  // namespace
}  // namespace sudoku
