// The statistics file and its report.
#include <gtest/gtest.h>

#include "play/fakes.h"

namespace sudoku {
namespace {

using testing::GameFixture;

void WriteStats(const GameFixture& f, const std::string& content) {
  testing::WriteBytes(f.base / "temi" / "statinfo.txt", content);
}

std::string Report(GameFixture& f) {
  f.dialogs.messages.clear();
  f.game.StatisticheClick();
  EXPECT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.dialogs.messages.at(0).kind, BoxKind::Plain);
  return f.dialogs.messages.at(0).text;
}

TEST(StatisticsTest, NoFileOrNoRecordIsNotAvailable) {
  GameFixture f;
  EXPECT_EQ(Report(f), "Statistiche non disponibili.");
  WriteStats(f, "[nome][timer]0h 0m 5s\r\nrubbish\r\n");
  f.game.Lingua = "en";
  EXPECT_EQ(Report(f), "Statistics are not available.");
}

TEST(StatisticsTest, ReportsCountAverageAndTheFastestWithItsSpaces) {
  GameFixture f;
  WriteStats(f,
             "[nome]slow.tema[timer]0h 1m 40s\r\n"
             "[nome]no-timer.tema 0h 0m 1s\r\n"
             "[nome]quick.tema[timer]0h 0m 40s\r\n");
  EXPECT_EQ(Report(f),
            "Sono stati risolti 2 puzzles.\n\rIl tempo medio per ogni puzzle \xE8 di 0h 1m 10s"
            "\n\r\n\rIl puzzle quick.tema \xE8 stato risolto con il tempo minimo di 0h  0m  40s");
  f.game.Lingua = "en";
  EXPECT_EQ(Report(f),
            "You just solved 2 puzzles.\n\rThe average time for each puzzle is 0h 1m 10s"
            "\n\r\n\rThe puzzle quick.tema was resolved with the minimum time of 0h  0m  40s");
}

TEST(StatisticsTest, UnreadableTimesCountButNeverAverageOrWin) {
  GameFixture f;
  const std::string longName(40, 'n');
  WriteStats(f, "[nome]a[timer]xh 1m 2s\r\n[nome]" + longName + "[timer]0h 0m 15s\r\n" +
                    "[nome]b[timer]0h 0m 15s\r\n");
  const std::string text = Report(f);
  EXPECT_NE(text.find("risolti 3 puzzles"), std::string::npos);
  EXPECT_NE(text.find("di 0h 0m 10s"), std::string::npos);  // 30 s over 3 records
  // The first of equal times wins, its name cut to 30 characters.
  EXPECT_NE(text.find("Il puzzle " + longName.substr(0, 30) + " \xE8"), std::string::npos);

  // Hours beyond any real count do not read either, rather than wrap into a tiny time.
  WriteStats(f,
             "[nome]a[timer]broken\r\n[nome]b[timer]20h 0m 0s\r\n"
             "[nome]c[timer]9223372036854775807h 0m 0s\r\n");
  f.game.Lingua = "en";
  const std::string none = Report(f);
  EXPECT_NE(none.find("You just solved 3 puzzles."), std::string::npos);
  EXPECT_NE(none.find("\n\r\n\rNo puzzle has a valid minimum time."), std::string::npos) << none;
}

TEST(StatisticsTest, AnUnwritableFileIsReported) {
  GameFixture f;
  f.game.CartellaBase = f.base / "missing";
  f.game.RegistraSoluzione();
  ASSERT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.dialogs.messages[0].kind, BoxKind::Error);
  EXPECT_NE(f.dialogs.messages[0].text.find("statinfo.txt"), std::string::npos);
}

}  // namespace
}  // namespace sudoku
