// Two players on one site play head to head: one launches, the other accepts, both play the same
// puzzle and chat until it is solved, and a second match ends when one side abandons it. The
// challenge timers are driven by calling their handlers.
#include <QPixmap>
#include <algorithm>
#include <fstream>

#include "desktop/web_pane.h"
#include "match_player.h"

namespace sudoku::testing {
namespace {

using ChallengeTest = SiteTest;

TEST_F(ChallengeTest, TwoPlayersPlayAMatchToTheEndAndAnotherIsAbandoned) {
  MatchPlayer anna(site->Address(), folder.filePath(QStringLiteral("a")), QStringLiteral("anna"));
  MatchPlayer bruno(site->Address(), folder.filePath(QStringLiteral("b")), QStringLiteral("bruno"));
  ASSERT_TRUE(anna.player.Connection().Registrato && bruno.player.Connection().Registrato);
  bruno.Logic().Secondi = 5000;  // the clock of an earlier game, which the match must not carry
  StartMatch(anna, bruno);
  for (MatchPlayer* side : {&anna, &bruno}) {  // both clocks run from the match's start
    EXPECT_TRUE(side->Logic().controls.SudokuTimer.enabled);
    EXPECT_LT(side->Logic().Secondi, 5000);
    // The lobby over the tabs, read before the match, is read again and lists it.
    WebPane& lobby = side->player.Pane("WQuillo");
    EXPECT_TRUE(
        WaitFor([&] { return PageText(lobby).contains(QStringLiteral("anna contro bruno")); }));
  }
  ASSERT_EQ(anna.Dati().soluzione.size(), 81u);
  const std::vector<int> open = OpenCells(anna.Logic());
  ASSERT_GE(open.size(), 4u);

  // Each sends a right and a wrong digit; the right ones reach the other side.
  const char wrong1 = Wrong(anna.Right(open[1])), wrong3 = Wrong(anna.Right(open[3]));
  anna.Enter(open[0], anna.Right(open[0]));
  anna.Enter(open[1], wrong1);
  anna.Fire("SBInviaMossaClick");
  EXPECT_EQ(anna.Cell(open[1]), std::string(1, wrong1));  // a wrong digit stays
  bruno.Enter(open[2], anna.Right(open[2]));
  bruno.Enter(open[3], wrong3);
  bruno.Fire("SBInviaMossaClick");
  EXPECT_EQ(bruno.Cell(open[0]), std::string(1, anna.Right(open[0])));
  EXPECT_TRUE(bruno.Cell(open[1]).empty());
  anna.Fire("TimerOnSfidaTimer");
  EXPECT_EQ(anna.Cell(open[2]), std::string(1, anna.Right(open[2])));
  EXPECT_EQ(anna.Dati().elementotrovatoda[std::size_t(open[0])], '1');
  EXPECT_EQ(anna.Dati().elementotrovatoda[std::size_t(open[2])], '2');

  // The chat carries what was typed, in UTF-8 from end to end.
  const std::string line = "#1 & ; % <b>x</b> perch\xC3\xA9 5\xE2\x82\xAC";
  anna.Say(line);
  bruno.Fire("TimerOnSfidaTimer");
  EXPECT_EQ(bruno.LastLine(), ">anna: " + line);
  bruno.Say("ciao");
  anna.Fire("TimerOnSfidaTimer");
  EXPECT_EQ(anna.LastLine(), ">bruno: ciao");
  // SUDOKU_SCREENSHOT=FILE keeps a picture of the challenger's window in the middle of the match.
  if (const QString file = qEnvironmentVariable("SUDOKU_SCREENSHOT"); !file.isEmpty()) {
    anna.player.App().Window().grab().save(file);
  }

  // Anna completes the board; both see the solve and the ranking counts the match.
  Solve(anna, bruno, open);
  for (MatchPlayer* side : {&anna, &bruno}) {
    EXPECT_TRUE(side->Logic().controls.TimerOnLogin.enabled);
    // A key released on the complete board afterwards neither congratulates nor counts again:
    // the solve is recorded once, as a puzzle of no library file, and the clock stops.
    side->player.App().Binding().Run([side] { side->Logic().sudokugridKeyUp(); });
    const auto& shown = side->player.dialogs.messages;
    EXPECT_EQ(std::count_if(
                  shown.begin(), shown.end(),
                  [](const ShownMessage& m) { return m.text == "Complimenti!\n\rPuzzle Risolto"; }),
              1);
    std::ifstream file(side->Logic().CartellaBase / "temi" / "statinfo.txt");
    std::vector<std::string> lines;
    for (std::string text; std::getline(file, text);) lines.push_back(text);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].starts_with("[nome]outpuzzle[timer]")) << lines[0];
    EXPECT_FALSE(side->Logic().controls.SudokuTimer.enabled);
  }
  ASSERT_TRUE(WaitFor([&] { return anna.ChallengePage().contains(QStringLiteral("bruno")); }));
  EXPECT_TRUE(anna.ChallengePage().contains(QStringLiteral("anna\t1\t1\t")));
  EXPECT_TRUE(anna.ChallengePage().contains(QStringLiteral("bruno\t1\t0\t")));

  // A second match, launched by bruno, which anna abandons.
  anna.Fire("TimerOnLoginTimer");
  bruno.Fire("TimerOnLoginTimer");
  StartMatch(bruno, anna);
  anna.Fire("SBAbbandonaClick");
  EXPECT_FALSE(anna.Logic().SfidaInCorso);
  bruno.Fire("TimerOnSfidaTimer");
  EXPECT_FALSE(bruno.Logic().SfidaInCorso);
  EXPECT_TRUE(bruno.player.dialogs.Shown("Spiacente.\n\ranna ha abbandonato la partita!"));
}

}  // namespace
}  // namespace sudoku::testing
