// A match player's program and the moves of a match.
#include "match_player.h"

#include "desktop/web_pane.h"
#include "online/login_window.h"

namespace sudoku::testing {

MatchPlayer::MatchPlayer(const std::string& siteAddress, const QString& folder, const QString& name)
    : player(siteAddress, folder, &pause) {
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

bool MatchPlayer::OnLoginForm() {
  return player.App().LoginLogic().Caption == "4pw7anony7wp4" &&
         player.LoginPane().ReadyState() == 4 &&
         player.LoginPane().LocationUrl().find("login.asp") != std::string::npos &&
         player.LoginPane().LocationUrl().find('?') == std::string::npos;
}

void MatchPlayer::Enter(int p, char digit) {
  player.App().Binding().Run([&] { Logic().board.Texts[std::size_t(p)] = std::string(1, digit); });
}

void MatchPlayer::Say(const std::string& text) {
  Logic().controls.MInviamsgsfida.lines = {text};
  Fire("SBInviaMsgClick");
}

std::string MatchPlayer::LastLine() {
  const auto& lines = Logic().controls.REDialogo.lines;
  return lines.empty() ? std::string() : lines.back();
}

QString MatchPlayer::ChallengePage() {
  return PageText(*player.App().Window().Pane("wbSfida"));
}

void StartMatch(MatchPlayer& a, MatchPlayer& b) {
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

std::vector<int> OpenCells(const Game& game) {
  std::vector<int> open;
  for (int p = 0; p < 81; ++p)
    if (!game.board.IsGiven(p / 9, p % 9)) open.push_back(p);
  return open;
}

char Wrong(char right) {
  return right == '1' ? '2' : '1';
}

}  // namespace sudoku::testing
