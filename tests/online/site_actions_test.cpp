// The site's pages about the current puzzle and publishing a puzzle of one's own.
#include "online/site_actions.h"

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "play/board_strings.h"

namespace sudoku {
namespace {

using testing::MainWindowFixture;

const std::string kSite = "http://127.0.0.1:8642/sudoku/gioco-offline/";

struct ActionsFixture : MainWindowFixture<> {
  SiteActions actions{window};
  ActionsFixture() {
    game.Connesso = game.Registrato = true;
    game.Utente = "mario";
    game.OpzioniNavigazione = 14;
    game.controls.ENumeroSchema.text = "123";
    game.controls.EDataPubblicazione.text = "12/05/2008";
  }
};

TEST(SiteActionsTest, OnlyCataloguePuzzlesAreLookedUpOnTheSite) {
  ActionsFixture f;
  f.game.SetNomeFile("ute-05-12-2026-18-20-41.tema");
  f.actions.VotaClick();
  EXPECT_EQ(f.dialogs.OnlyMessage(),
            "Questa funzione \xE8 disponibile per i soli schemi scaricati dal nostro sito");
  EXPECT_TRUE(f.WBsoluzione.navigations.empty());

  f.game.SetNomeFile("0123-puzzle_12-5-08.tema");
  f.actions.vedisoluzioneClick();
  EXPECT_EQ(f.WBsoluzione.navigations.back(),
            std::pair(kSite + "soluzioni.asp?of=2008_05_12_123", 14));
  f.actions.BStampaClick();
  EXPECT_TRUE(f.game.StampaInAttesa);
  EXPECT_EQ(f.WBsoluzione.LastAddress(), kSite + "stampa-sudoku.asp?num=123");
  f.actions.WBsoluzioneDocumentComplete();
  f.actions.WBsoluzioneDocumentComplete();
  EXPECT_EQ(f.WBsoluzione.printPreviews, 1);

  f.game.Connesso = f.game.Registrato = false;
  f.dialogs.messages.clear();
  f.actions.BStampaClick();
  EXPECT_FALSE(f.game.StampaInAttesa);
  EXPECT_EQ(f.dialogs.OnlyMessage(),
            "Per usare questa funzione devi avere una connessione internet attiva!");
  f.game.Lingua = "en";
  f.dialogs.messages.clear();
  f.actions.Soluzione1Click();
  EXPECT_EQ(f.dialogs.messages.at(0).text, "Make the connection to display the online solution");
  EXPECT_EQ(f.dialogs.loginShown, 1);
}

TEST(PublishTest, RefusalsAndTheReductionThatStays) {
  struct Case {
    std::string givens, texts;
    std::string message;  // "" = nothing shown before the confirmation
  };
  const std::string solved(testing::kSolved);
  const std::string empty(81, '.');
  // A 17-clue puzzle with one solution, none of whose digits is redundant.
  const std::string seventeen =
      "000000010400000000020000000000050407008000300001090000300400200050100000000806000";
  const std::vector<Case> cases = {
      {"5" + empty.substr(1), "",
       "Spiacenti!\n\rNon possiamo ritenere valido lo schema in quanto "
       "ottenuto da puzzle gi\xE0 esistente."},
      {empty, "55" + empty.substr(2), "Lo schema in griglia non ammette soluzioni!"},
      {empty, "5" + empty.substr(1), "Lo schema in griglia ha pi\xF9 di una soluzione!"},
      {empty, solved, ""},  // reduced to the digits the others do not determine
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    ActionsFixture f;
    testing::SetGivens(f.game, c.givens);
    testing::SetTexts(f.game, c.texts);
    f.dialogs.confirmAnswers.push_back(false);
    f.actions.Pubblica1Click();
    if (c.message.empty()) {
      EXPECT_EQ(f.dialogs.confirmations.size(), 1u);
    } else {
      EXPECT_EQ(f.dialogs.OnlyMessage(), c.message);
    }
    EXPECT_TRUE(f.WBsoluzione.navigations.empty());
    EXPECT_FALSE(f.game.controls.ProgressBar1.visible);
  }

  ActionsFixture f;
  testing::SetGivens(f.game, empty);
  testing::SetTexts(f.game, seventeen);
  f.actions.Pubblica1Click();
  EXPECT_EQ(f.WBsoluzione.navigations.back(),
            std::pair(kSite + "pubblica-sudoku.asp?who=mario&pz=" + seventeen, 14));
  EXPECT_EQ(f.game.controls.PageControl1.activePage, "TSInfo");
  EXPECT_EQ(f.dialogs.OnlyMessage(),
            "Complimenti. Salvo duplicazione, il tuo puzzles \xE8 stato pubblicato!");
}

}  // namespace
}  // namespace sudoku
