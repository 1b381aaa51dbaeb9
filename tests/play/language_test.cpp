// The language item: captions and tooltips of both languages, the start-up texts, and the
// flag picture of the item.
#include <gtest/gtest.h>

#include "play/captions.h"
#include "play/fakes.h"
#include "play/game.h"

namespace sudoku {
namespace {

using testing::GameFixture;

TEST(LanguageTest, StartsWithTheItalianTextsAndTheFourOwnInitialOnes) {
  Controls controls;
  EXPECT_EQ(controls.menulingua.caption, "EN");
  EXPECT_EQ(controls.menulingua.hint, "English Version");
  EXPECT_EQ(controls.ScaricaSchemaweb1.caption, "Raccolta Schemi (web)");
  EXPECT_EQ(controls.Seganalanosoluzioni.caption, "Segnala 0 soluzioni");
  EXPECT_EQ(controls.TSInfo.caption, "Info Schema & Soluzione  ");
  EXPECT_EQ(controls.Label6.hint,
            "Imposta i criteri, clicca applica, naviga con le frecce blu, carica lo schema "
            "scelto.");
  EXPECT_EQ(controls.LVsudoku.columns[6].caption, "Media Voti");
  int ownInitial = 0;
  for (const CaptionRow& row : CaptionTable()) ownInitial += row.InitialText() != row.italian;
  EXPECT_EQ(ownInitial, 4);
}

TEST(LanguageTest, OneClickSwitchesEveryTextToEnglish) {
  GameFixture f;
  Game& game = f.game;
  game.menulinguaClick();
  const Controls& c = game.controls;
  EXPECT_EQ(game.Lingua, "en");
  EXPECT_EQ(c.menulingua.caption, "IT");
  EXPECT_EQ(c.menulingua.hint, "Versione Italiana");
  EXPECT_EQ(c.menulingua.picture, (f.base / "noconnect" / "flag_it.bmp").string());
  EXPECT_EQ(c.Opzioni1.caption, "Puzzle");
  EXPECT_EQ(c.ScaricaSchemaweb1.caption, "Download Puzzle (web)");
  EXPECT_EQ(c.TSInfo.caption, "Puzzle Information&Solution");
  EXPECT_EQ(c.Label6.hint,
            "Set the criteria, navigate with the blue arrows, upload the chosen puzzle.");
  EXPECT_EQ(c.LVsudoku.hint, "Double Click upload the puzzle");
  EXPECT_EQ(c.LVsudoku.columns[5].caption, "Solved");
  // Controls outside the table keep their caption in both languages.
  EXPECT_EQ(c.SuggerisciNumero.caption, "Suggerisci Numero");
  EXPECT_EQ(c.EXIT1.caption, "EXIT");
  EXPECT_STREQ(game.Tr("Pausa", "Pause"), "Pause");
}

TEST(LanguageTest, SwitchingBackWritesTheItalianColumnOverTheInitialTexts) {
  GameFixture f;
  Game& game = f.game;
  game.menulinguaClick();
  game.menulinguaClick();
  const Controls& c = game.controls;
  EXPECT_EQ(game.Lingua, "it");
  EXPECT_EQ(c.menulingua.caption, "EN");
  EXPECT_EQ(c.menulingua.picture, (f.base / "noconnect" / "flag_en.bmp").string());
  EXPECT_EQ(c.ScaricaSchemaweb1.caption, "Scarica Schema (web)");
  EXPECT_EQ(c.Seganalanosoluzioni.caption, "Segnala 0 Soluzioni");
  EXPECT_EQ(c.TSInfo.caption, "Info Schema & Soluzione");
  EXPECT_EQ(c.Label6.hint, "Imposta i criteri, naviga con le frecce blu, carica lo schema scelto.");
  EXPECT_EQ(c.LVsudoku.columns[5].caption, "Risolto");
  EXPECT_STREQ(game.Tr("Pausa", "Pause"), "Pausa");
}

TEST(LanguageTest, AnyLanguageOtherThanEnglishWritesItalian) {
  GameFixture f;
  f.game.Lingua = "fr";
  f.game.ImpostaLingua();
  EXPECT_EQ(f.game.controls.Opzioni1.caption, "Schema");
  f.game.menulinguaClick();  // not "it": switches to Italian
  EXPECT_EQ(f.game.Lingua, "it");
  EXPECT_EQ(f.game.controls.menulingua.caption, "EN");
}

}  // namespace
}  // namespace sudoku
