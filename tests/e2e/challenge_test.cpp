// Two players on one site play head to head: one launches, the other accepts, both play the same
// puzzle and chat until it is solved, and a second match ends when one side abandons it. The
// challenge timers are driven by calling their handlers.
#include <QPixmap>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>

#include "challenge/challenge_window.h"
#include "desktop/web_pane.h"
#include "online/login_window.h"
#include "online_fixture.h"
#include "site_process.h"

namespace sudoku::testing {
namespace {

// The long pauses, counted instead of waited for.
class CountingPause : public PaintingPause {
 public:
  std::vector<int> waits;
  void Wait(int ms) override { waits.push_back(ms); }
};

// One player of the match, registered and logged in under name.
struct MatchPlayer {
  CountingPause pause;
  Player player;

  MatchPlayer(const std::string& site, const QString& folder, const QString& name)
      : player(site, folder, &pause) {
    player.Start(true, [this, name] {
      WebPane& pane = player.LoginPane();
      ASSERT_TRUE(WaitFor([&] { return OnLoginForm(); }));
      ClickLink(pane, QStringLiteral("registra-utente"));
      ASSERT_TRUE(WaitFor([&] { return player.App().LoginLogic().Height == 620; }));
      FillAndSubmit(pane, {{"user", name}, {"password", "segreto1"}, {"email", name + "@x.it"}});
      ASSERT_TRUE(WaitFor([&] { return player.dialogs.messages.size() == 1 && OnLoginForm(); }));
      FillAndSubmit(pane, {{"user", name}, {"password", "segreto1"}});
    });
    player.dialogs.messages.clear();
    // The real timers stay out of the way: the test fires the ticks itself.
    Controls& c = Logic().controls;
    c.TimerOnLogin.interval = c.TimerOnSfida.interval = 3'600'000;
  }

  bool OnLoginForm() {
    return player.App().LoginLogic().Caption == "4pw7anony7wp4" &&
           player.LoginPane().ReadyState() == 4 &&
           player.LoginPane().LocationUrl().find("login.asp") != std::string::npos &&
           player.LoginPane().LocationUrl().find('?') == std::string::npos;
  }
  Game& Logic() { return player.Logic(); }
  ConnectionState& Connection() { return player.Connection(); }
  ChallengeWindow& Challenge() { return player.App().Challenge(); }
  const DatiSfida& Dati() { return Challenge().dati; }
  void Fire(const char* handler) { player.App().Binding().Fire(handler); }
  void Enter(int p, char digit) {
    player.App().Binding().Run(
        [&] { Logic().board.Texts[std::size_t(p)] = std::string(1, digit); });
  }
  void Say(const std::string& text) {
    Logic().controls.MInviamsgsfida.lines = {text};
    Fire("SBInviaMsgClick");
  }
  std::string LastLine() {
    const auto& lines = Logic().controls.REDialogo.lines;
    return lines.empty() ? std::string() : lines.back();
  }
  QString ChallengePage() { return PageText(*player.App().Window().Pane("wbSfida")); }
};

class ChallengeTest : public OnlineTest {
 protected:
  void SetUp() override {
    site = std::make_unique<SiteProcess>(folder.filePath(QStringLiteral("site.db")));
    ASSERT_TRUE(site->Ready()) << site->Output().toStdString();
  }
  // a launches, b accepts, and both ticks later both play the match.
  static void StartMatch(MatchPlayer& a, MatchPlayer& b) {
    a.Fire("SBLanciaClick");
    EXPECT_EQ(a.Dati().statosfida, "attesa");
    EXPECT_TRUE(a.Logic().controls.SBAbbandona.enabled);
    b.Fire("SBAccettaClick");
    EXPECT_EQ(b.Dati().sfidante, a.Logic().Utente);
    a.Fire("TimerOnLoginTimer");  // the challenger's side generates the puzzle
    b.Fire("TimerOnLoginTimer");  // the challenged side loads it and starts the match
    a.Fire("TimerOnLoginTimer");  // the challenger's side sees it running
    ASSERT_TRUE(a.Logic().SfidaInCorso && b.Logic().SfidaInCorso);
    EXPECT_EQ(a.Logic().board.Schema, b.Logic().board.Schema);
    a.Fire("TimerOnSfidaTimer");  // the solution arrives with the match page
    b.Fire("TimerOnSfidaTimer");
  }
  std::unique_ptr<SiteProcess> site;
};

// The open cells of the match, column by column.
std::vector<int> OpenCells(const Game& game) {
  std::vector<int> open;
  for (int p = 0; p < 81; ++p)
    if (!game.board.IsGiven(p / 9, p % 9)) open.push_back(p);
  return open;
}

char Wrong(char right) {
  return right == '1' ? '2' : '1';
}

TEST_F(ChallengeTest, TwoPlayersPlayAMatchToTheEndAndAnotherIsAbandoned) {
  MatchPlayer anna(site->Address(), folder.filePath(QStringLiteral("a")), QStringLiteral("anna"));
  MatchPlayer bruno(site->Address(), folder.filePath(QStringLiteral("b")), QStringLiteral("bruno"));
  ASSERT_TRUE(anna.Connection().Registrato && bruno.Connection().Registrato);
  bruno.Logic().Secondi = 5000;  // the clock of an earlier game, which the match must not carry
  StartMatch(anna, bruno);
  for (MatchPlayer* side : {&anna, &bruno}) {  // both clocks run from the match's start
    EXPECT_TRUE(side->Logic().controls.SudokuTimer.enabled);
    EXPECT_LT(side->Logic().Secondi, 5000);
    // The lobby over the tabs, read before the match, is read again and lists it.
    WebPane& lobby = *side->player.App().Window().Pane("WQuillo");
    EXPECT_TRUE(
        WaitFor([&] { return PageText(lobby).contains(QStringLiteral("anna contro bruno")); }));
  }
  const std::string solution = anna.Dati().soluzione;
  ASSERT_EQ(solution.size(), 81u);
  const std::vector<int> open = OpenCells(anna.Logic());
  ASSERT_GE(open.size(), 4u);

  // Each sends a right and a wrong digit; the right ones reach the other side.
  anna.Enter(open[0], solution[std::size_t(open[0])]);
  anna.Enter(open[1], Wrong(solution[std::size_t(open[1])]));
  anna.Fire("SBInviaMossaClick");
  EXPECT_EQ(anna.Logic().board.Texts[std::size_t(open[1])],
            std::string(1, Wrong(solution[std::size_t(open[1])])));  // a wrong digit stays
  bruno.Enter(open[2], solution[std::size_t(open[2])]);
  bruno.Enter(open[3], Wrong(solution[std::size_t(open[3])]));
  bruno.Fire("SBInviaMossaClick");
  EXPECT_EQ(bruno.Logic().board.Texts[std::size_t(open[0])],
            solution.substr(std::size_t(open[0]), 1));
  EXPECT_TRUE(bruno.Logic().board.Texts[std::size_t(open[1])].empty());
  anna.Fire("TimerOnSfidaTimer");
  EXPECT_EQ(anna.Logic().board.Texts[std::size_t(open[2])],
            solution.substr(std::size_t(open[2]), 1));
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
  for (int p : open) anna.Enter(p, solution[std::size_t(p)]);
  anna.Fire("SBInviaMossaClick");
  bruno.Fire("TimerOnSfidaTimer");
  for (MatchPlayer* side : {&anna, &bruno}) {
    EXPECT_FALSE(side->Logic().SfidaInCorso);
    EXPECT_EQ(side->pause.waits, std::vector<int>{6000});
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
