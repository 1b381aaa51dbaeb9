// The challenge store: two-player challenges from launch to the end of their match, with one
// shared board per match, and the ranking they feed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "site/db.h"

namespace sudoku::site {

inline constexpr int kMaxMatches = 20;   // matches running at once
inline constexpr int kMaxWaiting = 10;   // challenges waiting at once
inline constexpr int kMaxMessage = 240;  // characters of a chat message
// Seconds without reading a challenge page after which a player counts as gone: the
// challenger of a challenge not yet begun, or either player of a running match.
inline constexpr std::int64_t kWaitingLife = 120;
inline constexpr std::int64_t kMatchLife = 300;

// One challenge. States: "attesa" (launched, perhaps accepted), "avvio" (puzzle made),
// "corso" (match running), "finita" (solved or abandoned), "annullata" (the challenger left
// before the start). Each player closes it for themselves once they have seen its end.
struct Challenge {
  std::int64_t Id = 0;
  std::string Challenger, Challenged;  // Challenged is empty until someone accepts
  std::string State;
  std::string Puzzle = "0";    // nine ";"-separated column pieces of two-character codes
  std::string Solution = "0";  // the following four are 81 characters, column by column
  std::string Board = "0";
  std::string Previous = "0";  // the board as the match began: its givens
  std::string FoundBy = "0";
  std::string StartDay = "0", StartTime = "0", EndTime = "0";
  int ChallengerOk = 0, ChallengerKo = 0, ChallengedOk = 0, ChallengedKo = 0;
  bool Solved = false;
  std::string MsgChallenger = "0", MsgChallenged = "0";
  bool ChallengerClosed = false, ChallengedClosed = false;
  std::int64_t ChallengerSeen = 0, ChallengedSeen = 0;  // when each last read a challenge page

  bool IsChallenger(const std::string& user) const { return Challenger == user; }
};

struct RankingRow {
  std::string Name;
  int Matches = 0, Wins = 0, Right = 0, Wrong = 0;
};

// The outcome of a challenge command: what the page says.
struct Outcome {
  bool Done = false;
  std::string Text;
};

int CountWaiting(Db& db);  // launched, nobody accepted yet
int CountRunning(Db& db);  // accepted and not yet ended

// The challenge the user is in and has not closed: one being played or prepared before the
// user's own unaccepted one, a live one before an ended one.
std::optional<Challenge> ActiveChallenge(Db& db, const std::string& user);
// Waiting and running challenges, oldest first, for the lobby.
std::vector<Challenge> OpenChallenges(Db& db);

// Notes that the user, a player of c, read a challenge page at now.
void NoteSeen(Db& db, const Challenge& c, const std::string& user, std::int64_t now);
// Ends what vanished players left: a challenge not yet begun whose challenger has read no
// challenge page for kWaitingLife is withdrawn (one whose challenged player has not, waits for
// someone else), and a match one of whose players has read none for kMatchLife ends as that
// player's abandonment. Runs when claim, asked inside the sweep's write transaction, agrees (no
// other process swept just now); true when it ended anything.
bool ExpireChallenges(Db& db, std::int64_t now, const std::function<bool()>& claim);

Outcome Launch(Db& db, const std::string& user, std::int64_t now);
Outcome Accept(Db& db, const std::string& user, std::int64_t now);
Outcome Withdraw(Db& db, const std::string& user, std::int64_t now);
// Makes the match puzzle from seed (the same seed always gives the same puzzle).
Outcome Generate(Db& db, const std::string& user, int seed);
Outcome Start(Db& db, const std::string& user, std::int64_t now);

struct MoveReport {
  std::string Moves;  // 81 characters, column by column, "0" where nothing is reported
  int Wrong = 0;
};
Outcome ReportMoves(Db& db, const std::string& user, const MoveReport& report);
// The board of the match as the user last read it (as it began, before the first read), and
// from now on the board as it is: what is new to each player is news once, whoever reported it.
std::string TakeLastSeenBoard(Db& db, const Challenge& c, const std::string& user);
Outcome SendMessage(Db& db, const std::string& user, const std::string& text);
// The text must be clean (see IsCleanText); it is cut to kMaxMessage characters.
// abandon: the user leaves; otherwise the user has seen the end and closes the challenge.
Outcome Reset(Db& db, const std::string& user, bool abandon);

std::vector<RankingRow> Ranking(Db& db);

// The match puzzle of a row-by-row puzzle text, in nine column pieces.
std::string MatchPuzzleText(const std::string& rowMajorDigits);

}  // namespace sudoku::site
