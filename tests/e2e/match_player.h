// One player of a head-to-head match over the real panes: registered and logged in through the
// login window, the challenge timers left to the test, which fires their ticks itself.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "challenge/challenge_window.h"
#include "online_fixture.h"

namespace sudoku::testing {

// The long pauses, counted instead of waited for.
class CountingPause : public PaintingPause {
 public:
  std::vector<int> waits;
  void Wait(int ms) override { waits.push_back(ms); }
};

struct MatchPlayer {
  CountingPause pause;
  Player player;

  // Registers name on the site at siteAddress and logs in.
  MatchPlayer(const std::string& siteAddress, const QString& folder, const QString& name);

  Game& Logic() { return player.Logic(); }
  const DatiSfida& Dati() { return player.App().Challenge().dati; }
  void Fire(const char* handler) { player.Fire(handler); }
  // The match's solution in cell p (column by column).
  char Right(int p) { return Dati().soluzione.at(std::size_t(p)); }
  // What the grid shows in cell p.
  const std::string& Cell(int p) { return Logic().board.Texts.at(std::size_t(p)); }
  // Types digit into cell p as the grid would.
  void Enter(int p, char digit);
  void Say(const std::string& text);
  // The newest line of the chat, or "".
  std::string LastLine();
  QString ChallengePage();
};

// a launches, b accepts, and both ticks later both play the match with its solution at hand.
void StartMatch(MatchPlayer& a, MatchPlayer& b);
// a enters the solution in cells and sends it; with b's next tick the match has ended solved on
// both sides, each having paused once for the solve.
void Solve(MatchPlayer& a, MatchPlayer& b, const std::vector<int>& cells);

// The open cells of the match, column by column.
std::vector<int> OpenCells(const Game& game);

// A digit other than right.
char Wrong(char right);

}  // namespace sudoku::testing
