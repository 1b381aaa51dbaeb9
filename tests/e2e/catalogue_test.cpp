// A registered player and the site's catalogue: paging and filters, a puzzle from the web into
// the library, the site's pages about a puzzle, the print preview, and publishing a puzzle of
// their own.
#include <QApplication>
#include <QPrintPreviewDialog>
#include <QTimer>

#include "desktop/web_pane.h"
#include "online_fixture.h"
#include "play/puzzle_files.h"

namespace sudoku::testing {
namespace {

class CatalogueTest : public SiteTest {
 protected:
  void SetUp() override {
    SiteTest::SetUp();
    if (HasFatalFailure()) return;
    player = std::make_unique<Player>(site->Address(), folder.filePath(QStringLiteral("game")));
    player->Start(true, [this] { SignUpAndLogIn(*player, QStringLiteral("anna")); });
    ASSERT_TRUE(player->Connection().Registrato);
  }
  WebPane& Pane(const char* name) { return player->Pane(name); }
  void Fire(const char* handler) { player->Fire(handler); }
  // The catalogue pane has loaded a page whose address holds `part`.
  bool CatalogueShows(const std::string& part) {
    return Pane("WBTrascina").ReadyState() == 4 &&
           Pane("WBTrascina").LocationUrl().find(part) != std::string::npos &&
           player->Logic().ComponentiCatalogo[1] != "z0";
  }

  std::unique_ptr<Player> player;
};

TEST_F(CatalogueTest, BrowseLoadVoteSolveAndPrint) {
  Game& game = player->Logic();
  ASSERT_TRUE(WaitFor([&] { return CatalogueShows("_T_00_1_quillo"); }));
  Fire("SBAvantiWBClick");
  ASSERT_TRUE(WaitFor([&] { return game.ComponentiCatalogo[5] == "2"; }));
  game.controls.CBMese.itemIndex = 5;
  Fire("CBMeseChange");
  ASSERT_TRUE(WaitFor([&] { return CatalogueShows("_05_T_00_1_quillo"); }));
  ASSERT_TRUE(WaitFor([&] { return game.ComponentiCatalogo[2] == "05"; }));

  const std::string number = game.CampiTitolo[4];
  Fire("SBLoadFromWebClick");
  const std::string name = game.controls.enomefile.text;
  EXPECT_EQ(name.substr(4, 8), "-puzzle_");
  EXPECT_EQ(game.controls.ENumeroSchema.text, number);
  EXPECT_TRUE(std::filesystem::exists(game.CartellaBase / "temi" / name));
  EXPECT_TRUE(game.board.IsGiven(0, 0) || game.board.Schema[0] == "00");

  Fire("VotaClick");
  ASSERT_TRUE(WaitFor([&] {
    return Pane("WBsoluzione").ReadyState() == 4 && Pane("WBsoluzione").title() == "vota";
  }));
  Fire("vedisoluzioneClick");
  ASSERT_TRUE(WaitFor([&] {
    return Pane("WBsoluzione").ReadyState() == 4 && Pane("WBsoluzione").title() == "soluzione";
  })) << Pane("WBsoluzione").LocationUrl();

  // The print page opens the preview; the user closes it.
  bool previewed = false;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
      previewed = true;
      dialog->reject();
    }
  });
  closer.start(100);
  Fire("BStampaClick");
  ASSERT_TRUE(WaitFor([&] { return previewed; }, 30000));
  closer.stop();
  EXPECT_FALSE(game.StampaInAttesa);
}

TEST_F(CatalogueTest, APuzzleOfTheirOwnIsPublished) {
  Game& game = player->Logic();
  // A board typed by hand (no givens): the classic puzzle with a unique solution.
  SetTexts(game, kPuzzle);
  Fire("Pubblica1Click");
  ASSERT_EQ(player->dialogs.messages.back().text,
            "Complimenti. Salvo duplicazione, il tuo puzzles \xE8 stato pubblicato!");
  ASSERT_TRUE(WaitFor([&] {
    return Pane("WBsoluzione").ReadyState() == 4 &&
           PageText(Pane("WBsoluzione")).contains(QStringLiteral("pubblicato con il numero"));
  })) << PageText(Pane("WBsoluzione")).toStdString();
}

}  // namespace
}  // namespace sudoku::testing
