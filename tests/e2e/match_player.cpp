// A match player's program and the moves of a match.
#include "match_player.h"

#include "desktop/web_pane.h"

namespace sudoku::testing {

MatchPlayer::MatchPlayer(const std::string& siteAddress, const QString& folder, const QString& name)
    : player(siteAddress, folder, &pause) {
  player.Start(true, [this, name] { SignUpAndLogIn(player, name); });
  player.dialogs.messages.clear();
  // The real timers stay out of the way: the test fires the ticks itself.
  Controls& c = Logic().controls;
  c.TimerOnLogin.interval = c.TimerOnSfida.interval = 3'600'000;
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
  return PageText(player.Pane("wbSfida"));
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

void Solve(MatchPlayer& a, MatchPlayer& b, const std::vector<int>& cells) {
  for (int p : cells) a.Enter(p, a.Right(p));
  a.Fire("SBInviaMossaClick");
  b.Fire("TimerOnSfidaTimer");
  for (MatchPlayer* side : {&a, &b}) {
    EXPECT_FALSE(side->Logic().SfidaInCorso);
    EXPECT_EQ(side->pause.waits, std::vector<int>{6000});
  }
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
