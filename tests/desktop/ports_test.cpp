// The Qt ports on their own: box texts, sounds that cannot play, and the About box.
#include <QLabel>
#include <QTest>

#include "desktop/qt_dialogs.h"
#include "desktop/qt_effects.h"
#include "desktop/tfabout.h"
#include "shell_fixture.h"

namespace sudoku::testing {
namespace {

TEST(BoxTextTest, LineFeedCarriageReturnIsOneLineBreakAndTextsAreLatin1) {
  EXPECT_EQ(BoxText("Complimenti!\n\rPuzzle Risolto"), "Complimenti!\nPuzzle Risolto");
  EXPECT_EQ(BoxText("Sei gi\xE0 connesso\n\r\n\rok"), QString::fromUtf8("Sei già connesso\n\nok"));
}

TEST_F(ShellTest, MissingSoundIsReportedAfterTheCommandThatPlayedIt) {
  LoadPuzzle();
  std::vector<std::string> reports;
  app->EffectsPort().reportError = [&](const std::string& text) { reports.push_back(text); };
  app->EffectsPort().PlaySound(base / "noconnect" / "tada.wav");
  EXPECT_TRUE(reports.empty());
  QApplication::processEvents();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("tada.wav"), std::string::npos);
}

TEST_F(ShellTest, PlayingAWaveFileNeedsNoAudioDevice) {
  LoadPuzzle();
  const std::filesystem::path sound =
      std::filesystem::path(SUDOKU_SOURCE_DIR) / "assets" / "noconnect" / "tada.wav";
  std::vector<std::string> reports;
  app->EffectsPort().reportError = [&](const std::string& text) { reports.push_back(text); };
  app->EffectsPort().PlaySound(sound);
  app->EffectsPort().PlaySound(sound);  // a new sound replaces the one still playing
  QTest::qWait(300);
  EXPECT_TRUE(reports.empty());
}

TEST_F(ShellTest, AboutBoxClosesOnAClickExceptOnItsSmallPicture) {
  std::vector<std::string> reports;
  TFAbout about(QStringLiteral("site"));
  about.reportError = [&](const std::string& text) { reports.push_back(text); };
  about.show();
  EXPECT_EQ(reports.size(), 2u);  // neither picture is in this folder
  EXPECT_EQ(about.size(), QSize(318, 230));

  QTest::mouseClick(about.findChild<QLabel*>("Image2"), Qt::LeftButton);
  EXPECT_TRUE(about.isVisible());
  QTest::mouseClick(about.findChild<QLabel*>("LMotto"), Qt::LeftButton);
  EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace sudoku::testing
