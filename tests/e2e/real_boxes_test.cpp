// The program with its own message boxes, answered as they come up: the login window over the
// main window, a monthly collection downloaded into the library while the challenge watch ticks
// every second, and what the panes refuse to show.
#include <QAction>
#include <QApplication>
#include <QTest>

#include "desktop/tflogin.h"
#include "desktop/web_pane.h"
#include "online_fixture.h"

namespace sudoku::testing {
namespace {

class RealBoxesTest : public SiteTest {
 protected:
  void SetUp() override {
    SiteTest::SetUp();
    if (HasFatalFailure()) return;
    player = std::make_unique<Player>(site->Address(), folder.filePath(QStringLiteral("game")),
                                      nullptr, true);
  }
  WebPane& Pane(const char* name) { return player->Pane(name); }
  // The texts of the boxes from the index-th on.
  std::vector<std::string> TextsFrom(std::size_t index) {
    std::vector<std::string> texts;
    for (std::size_t i = index; i < boxes.boxes.size(); ++i) texts.push_back(boxes.boxes[i].text);
    return texts;
  }

  BoxAnswerer boxes;
  std::unique_ptr<Player> player;
};

TEST_F(RealBoxesTest, TheLoginStaysOverTheGameAndACollectionComesWithOnlyItsOwnBoxes) {
  DesktopApp& app = player->App();
  auto* connect = qobject_cast<QAction*>(app.Binding().Binder().Find("Connessione1"));
  ASSERT_NE(connect, nullptr);
  player->Start(true, [&] {
    TFLogin& login = app.Login();
    EXPECT_EQ(login.parentWidget(), &app.Window());
    EXPECT_TRUE(login.isModal());
    EXPECT_FALSE(connect->isEnabled());
    SignUpAndLogIn(*player, QStringLiteral("anna"));
    EXPECT_EQ(boxes.boxes.back().text.substr(0, 29), "Abbiamo spedito l'email con i");
    EXPECT_EQ(boxes.boxes.back().parent, &login);
    EXPECT_EQ(login.windowTitle(), QStringLiteral("Login"));
  });
  Game& game = player->Logic();
  ASSERT_TRUE(player->Connection().Registrato);
  EXPECT_TRUE(connect->isEnabled());

  // The challenge watch ticks every second; each box waits for a poll that read its page.
  long polls = 0;
  QObject::connect(&Pane("wbSfida"), &WebPane::loadFinished, [&](bool) {
    if (Pane("wbSfida").LocationUrl().find("visualizza-dati-sfida") != std::string::npos) ++polls;
  });
  app.Binding().Run([&] { game.controls.TimerOnLogin.interval = 1000; });
  boxes.progress = [&] { return polls; };
  ASSERT_TRUE(WaitFor([&] { return Pane("WBdownload").ReadyState() == 4 && polls > 0; }, 30000));
  const QString zip =
      RunScript(Pane("WBdownload"), QStringLiteral("document.querySelector('a[href*=\"puzzles-\"]')"
                                                   ".getAttribute('href')"))
          .toString()
          .section(QLatin1Char('/'), -1);
  ASSERT_TRUE(zip.startsWith(QStringLiteral("puzzles-")));
  const std::size_t before = boxes.boxes.size();
  const std::size_t rows = game.controls.LVsudoku.rows.size();
  const long pollsBefore = polls;
  ClickLink(Pane("WBdownload"), QStringLiteral("puzzles-"));
  ASSERT_TRUE(WaitFor(
      [&] {
        return boxes.boxes.size() > before + 3 && QApplication::activeModalWidget() == nullptr;
      },
      90000))
      << ::testing::PrintToString(TextsFrom(before));
  const std::vector<std::string> texts = TextsFrom(before);
  const std::string name = zip.toStdString();
  ASSERT_EQ(texts.size(), 4u) << ::testing::PrintToString(texts);
  EXPECT_EQ(texts[0].substr(0, 24), "Una volta salvato il fil");
  EXPECT_EQ(texts[1], "Salvare la raccolta " + name + " nella cartella temi?");
  EXPECT_EQ(texts[2], "Aggiungere alla libreria gli schemi della raccolta " + name + "?");
  EXPECT_EQ(texts[3].substr(0, 29), "Schemi aggiunti alla libreria");
  for (std::size_t i = before; i < boxes.boxes.size(); ++i) {
    EXPECT_NE(boxes.boxes[i].icon, QMessageBox::Critical) << boxes.boxes[i].text;
  }
  EXPECT_GE(polls - pollsBefore, 3);
  EXPECT_GT(game.controls.LVsudoku.rows.size(), rows);
  EXPECT_TRUE(std::filesystem::exists(game.CartellaBase / "temi" / name));
  EXPECT_FALSE(std::filesystem::exists(game.CartellaBase / "temi" / ("." + name + ".part")));

  // The same file from any other address is no collection: refused without a word.
  const std::size_t files =
      std::distance(std::filesystem::directory_iterator(game.CartellaBase / "temi"), {});
  Pane("WBsoluzione").Navigate(site->Address() + "/sudoku/download/" + name);
  const long pollsThen = polls;
  ASSERT_TRUE(WaitFor([&] { return polls >= pollsThen + 2; }, 30000));
  EXPECT_EQ(boxes.boxes.size(), before + 4);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(game.CartellaBase / "temi"), {}),
            files);
}

TEST_F(RealBoxesTest, APaneShowsOnlyTheSitesAndTheGamesOwnPages) {
  const std::filesystem::path base = folder.filePath(QStringLiteral("game")).toStdString();
  WebPane& pane = Pane("wbAltriSudoku");
  const std::string local = "file://" + (base / "noconnect" / "sudoku.html").string();
  const std::string lobby = site->Address() + "/sudoku/sfida-online/sudoku-space.asp?";
  pane.Navigate(local);
  ASSERT_TRUE(WaitFor([&] { return pane.ReadyState() == 4 && pane.LocationUrl() == local; }));
  // Refused at once: the pane keeps its page.
  for (const char* address : {"/etc/hostname", "file:///etc/hostname",
                              "javascript:document.title='x'", "http://localhost:1/"}) {
    pane.Navigate(address);
    EXPECT_EQ(pane.ReadyState(), 4) << address;
    EXPECT_EQ(pane.LocationUrl(), local) << address;
  }
  // The site's page in the browser engine, then the game's own again in the light view.
  for (const std::string& address : {lobby, local}) {
    pane.Navigate(address);
    ASSERT_TRUE(WaitFor([&] { return pane.ReadyState() == 4 && pane.LocationUrl() == address; }));
  }
  // A page cannot send the pane elsewhere either.
  RunScript(pane, QStringLiteral("location.href='file:///etc/hostname';true"));
  QTest::qWait(500);
  EXPECT_EQ(pane.LocationUrl(), local);
}

}  // namespace
}  // namespace sudoku::testing
