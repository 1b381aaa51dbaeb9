// The challenge state machine and the shared board of a match.
#include "site/challenges.h"

#include <algorithm>
#include <cctype>
#include <type_traits>
#include <variant>

#include "site/calendar.h"
#include "site/puzzle_maker.h"
#include "site/sessions.h"

namespace sudoku::site {
namespace {

// A column of the challenges table and the field of Challenge it holds.
struct Column {
  const char* Name;
  std::variant<std::int64_t Challenge::*, std::string Challenge::*, int Challenge::*,
               bool Challenge::*>
      Field;
  // Written back by Save. The id and the challenger never change, and when each player was
  // last seen is written on its own so that a save never undoes a newer sighting.
  bool Saved;
};

constexpr Column kTable[] = {
    {"id", &Challenge::Id, false},
    {"challenger", &Challenge::Challenger, false},
    {"challenged", &Challenge::Challenged, true},
    {"state", &Challenge::State, true},
    {"puzzle", &Challenge::Puzzle, true},
    {"solution", &Challenge::Solution, true},
    {"board", &Challenge::Board, true},
    {"previous", &Challenge::Previous, true},
    {"found_by", &Challenge::FoundBy, true},
    {"start_day", &Challenge::StartDay, true},
    {"start_time", &Challenge::StartTime, true},
    {"end_time", &Challenge::EndTime, true},
    {"challenger_ok", &Challenge::ChallengerOk, true},
    {"challenger_ko", &Challenge::ChallengerKo, true},
    {"challenged_ok", &Challenge::ChallengedOk, true},
    {"challenged_ko", &Challenge::ChallengedKo, true},
    {"solved", &Challenge::Solved, true},
    {"msg_challenger", &Challenge::MsgChallenger, true},
    {"msg_challenged", &Challenge::MsgChallenged, true},
    {"challenger_closed", &Challenge::ChallengerClosed, true},
    {"challenged_closed", &Challenge::ChallengedClosed, true},
    {"challenger_seen", &Challenge::ChallengerSeen, false},
    {"challenged_seen", &Challenge::ChallengedSeen, false},
};

// Every column of the table, for a select whose rows ReadRow reads.
std::string ColumnList() {
  std::string list;
  for (const Column& column : kTable) list += std::string(list.empty() ? "" : ", ") + column.Name;
  return list;
}

const std::string kColumns = ColumnList();

Challenge ReadRow(const Statement& row) {
  Challenge c;
  int at = 0;
  for (const Column& column : kTable) {
    std::visit(
        [&](auto field) {
          using Value = std::remove_cvref_t<decltype(c.*field)>;
          if constexpr (std::is_same_v<Value, std::string>)
            c.*field = row.Text(at);
          else if constexpr (std::is_same_v<Value, bool>)
            c.*field = row.Int(at) != 0;
          else
            c.*field = Value(row.Int(at));
        },
        column.Field);
    ++at;
  }
  return c;
}

void Save(Db& db, const Challenge& c) {
  static const std::string sql = [] {
    std::string text = "UPDATE challenges SET ";
    for (const Column& column : kTable)
      if (column.Saved) text += std::string(column.Name) + " = ?, ";
    text.resize(text.size() - 2);
    return text + " WHERE id = ?";
  }();
  auto update = db.Prepare(sql.c_str());
  int at = 0;
  for (const Column& column : kTable) {
    if (!column.Saved) continue;
    std::visit(
        [&](auto field) {
          using Value = std::remove_cvref_t<decltype(c.*field)>;
          if constexpr (std::is_same_v<Value, std::string>)
            update.Bind(++at, c.*field);
          else
            update.Bind(++at, std::int64_t(c.*field));
        },
        column.Field);
  }
  update.Bind(++at, c.Id).Run();
}

int CountWhere(Db& db, const char* sql) {
  auto count = db.Prepare(sql);
  count.Step();
  return int(count.Int(0));
}

bool IsLive(const Challenge& c) {
  return c.State == "attesa" || c.State == "avvio" || c.State == "corso";
}

void AddToRanking(Db& db, const std::string& name, bool won, int right, int wrong) {
  db.Prepare("INSERT OR IGNORE INTO ranking (name) VALUES (?)").Bind(1, name).Run();
  db.Prepare(
        "UPDATE ranking SET matches = matches + 1, wins = wins + ?, right_digits = right_digits + "
        "?, wrong_digits = wrong_digits + ? WHERE name = ?")
      .Bind(1, int(won))
      .Bind(2, right)
      .Bind(3, wrong)
      .Bind(4, name)
      .Run();
}

// Ends a running match; winner is "" for a draw.
void EndMatch(Db& db, Challenge& c, const std::string& winner) {
  c.State = "finita";
  c.EndTime = TimeOfDay();
  AddToRanking(db, c.Challenger, winner == c.Challenger, c.ChallengerOk, c.ChallengerKo);
  AddToRanking(db, c.Challenged, winner == c.Challenged, c.ChallengedOk, c.ChallengedKo);
}

// The user leaves the challenge, whatever its state.
void Abandon(Db& db, Challenge& c, const std::string& user) {
  const bool challenger = c.IsChallenger(user);
  if (c.State == "corso") {
    (challenger ? c.MsgChallenged : c.MsgChallenger) = "partita abbandonata";
    EndMatch(db, c, challenger ? c.Challenged : c.Challenger);
  } else if (IsLive(c) && challenger) {
    // The challenged user, if any, is left without a challenger and closes it on their side;
    // a game that already started the match learns it from its message.
    c.State = "annullata";
    if (!c.Challenged.empty()) c.MsgChallenged = "partita abbandonata";
  } else if (IsLive(c)) {
    // The challenged user leaves before the start: the challenge waits for someone else.
    c.Challenged.clear();
    c.State = "attesa";
    c.Puzzle = c.Solution = c.Board = c.Previous = c.FoundBy = "0";
    return;
  }
  (challenger ? c.ChallengerClosed : c.ChallengedClosed) = true;
  if (c.Challenged.empty()) c.ChallengedClosed = true;
}

// Closes, for the user, the ended challenges left open (a game that never said goodbye).
void CloseEnded(Db& db, const std::string& user) {
  db.Prepare(
        "UPDATE challenges SET challenger_closed = 1 WHERE challenger = ? AND state IN "
        "('finita', 'annullata')")
      .Bind(1, user)
      .Run();
  db.Prepare(
        "UPDATE challenges SET challenged_closed = 1 WHERE challenged = ? AND state IN "
        "('finita', 'annullata')")
      .Bind(1, user)
      .Run();
}

// The user's live challenge other than an own one still waiting for someone.
bool InPairedChallenge(Db& db, const std::string& user) {
  const auto active = ActiveChallenge(db, user);
  return active && IsLive(*active) && !active->Challenged.empty();
}

int CountCells(const std::string& text, char c) {
  return int(std::count(text.begin(), text.end(), c));
}

}  // namespace

int CountWaiting(Db& db) {
  return CountWhere(db,
                    "SELECT COUNT(*) FROM challenges WHERE state = 'attesa' AND challenged = ''");
}

int CountRunning(Db& db) {
  return CountWhere(db,
                    "SELECT COUNT(*) FROM challenges WHERE challenged <> '' AND state IN "
                    "('attesa', 'avvio', 'corso')");
}

std::optional<Challenge> ActiveChallenge(Db& db, const std::string& user) {
  const std::string sql = std::string("SELECT ") + kColumns +
                          " FROM challenges WHERE (challenger = ?1 AND challenger_closed = 0) OR "
                          "(challenged = ?1 AND challenged_closed = 0) ORDER BY "
                          "state IN ('attesa', 'avvio', 'corso') DESC, challenged <> '' DESC, "
                          "id DESC LIMIT 1";
  auto find = db.Prepare(sql.c_str());
  find.Bind(1, user);
  if (!find.Step()) return std::nullopt;
  return ReadRow(find);
}

std::vector<Challenge> OpenChallenges(Db& db) {
  const std::string sql =
      std::string("SELECT ") + kColumns +
      " FROM challenges WHERE state IN ('attesa', 'avvio', 'corso') ORDER BY id";
  auto list = db.Prepare(sql.c_str());
  std::vector<Challenge> open;
  while (list.Step()) open.push_back(ReadRow(list));
  return open;
}

void NoteSeen(Db& db, const Challenge& c, const std::string& user, std::int64_t now) {
  // Written at most every few seconds, so a polling game costs no write on most reads.
  const bool challenger = c.IsChallenger(user);
  if (!IsLive(c) || (challenger ? c.ChallengerSeen : c.ChallengedSeen) >= now - 5) return;
  db.Prepare(challenger ? "UPDATE challenges SET challenger_seen = ? WHERE id = ?"
                        : "UPDATE challenges SET challenged_seen = ? WHERE id = ?")
      .Bind(1, now)
      .Bind(2, c.Id)
      .Run();
}

bool ExpireChallenges(Db& db, std::int64_t now, const std::function<bool()>& claim) {
  const std::string sql =
      std::string("SELECT ") + kColumns +
      " FROM challenges WHERE (state IN ('attesa', 'avvio') AND (challenger_seen < ?1 OR "
      "(challenged <> '' AND challenged_seen < ?1))) OR (state = 'corso' AND "
      "(challenger_seen < ?2 OR challenged_seen < ?2)) ORDER BY id";
  auto findStale = [&] {
    std::vector<Challenge> stale;
    auto find = db.Prepare(sql.c_str());
    find.Bind(1, now - kWaitingLife).Bind(2, now - kMatchLife);
    while (find.Step()) stale.push_back(ReadRow(find));
    return stale;
  };
  // Looked for first without the write lock, which is taken only when there is work.
  if (findStale().empty()) return false;
  Transaction transaction(db);
  if (!claim()) return false;
  std::vector<Challenge> stale = findStale();
  for (Challenge& c : stale) {
    const std::int64_t limit = now - (c.State == "corso" ? kMatchLife : kWaitingLife);
    const bool challengerGone = c.ChallengerSeen < limit;
    const bool challengedGone = !c.Challenged.empty() && c.ChallengedSeen < limit;
    // The player absent longer is the one who left.
    const bool challengerLeft =
        challengerGone && (!challengedGone || c.ChallengerSeen <= c.ChallengedSeen);
    Abandon(db, c, challengerLeft ? c.Challenger : c.Challenged);
    Save(db, c);
  }
  transaction.Commit();
  return !stale.empty();
}

Outcome Launch(Db& db, const std::string& user, std::int64_t now) {
  CloseEnded(db, user);
  const auto active = ActiveChallenge(db, user);
  if (active && IsLive(*active)) return {false, "Hai gi\u00e0 una sfida aperta."};
  if (CountWaiting(db) >= kMaxWaiting)
    return {false, "Troppe sfide in attesa, riprova pi\u00f9 tardi."};
  if (CountRunning(db) >= kMaxMatches)
    return {false, "Troppe partite in corso, riprova pi\u00f9 tardi."};
  db.Prepare(
        "INSERT INTO challenges (challenger, state, created, challenger_seen) VALUES (?1, "
        "'attesa', ?2, ?2)")
      .Bind(1, user)
      .Bind(2, now)
      .Run();
  return {true, "La tua sfida \u00e8 in attesa di un avversario."};
}

Outcome Accept(Db& db, const std::string& user, std::int64_t now) {
  CloseEnded(db, user);
  if (InPairedChallenge(db, user)) return {false, "Stai gi\u00e0 giocando una sfida."};
  if (CountRunning(db) >= kMaxMatches)
    return {false, "Troppe partite in corso, riprova pi\u00f9 tardi."};
  const std::string sql = std::string("SELECT ") + kColumns +
                          " FROM challenges WHERE state = 'attesa' AND challenged = '' AND "
                          "challenger <> ? ORDER BY id LIMIT 1";
  auto find = db.Prepare(sql.c_str());
  find.Bind(1, user);
  if (!find.Step()) return {false, "Nessuna sfida in attesa."};
  Challenge c = ReadRow(find);
  c.Challenged = user;
  Save(db, c);
  db.Prepare("UPDATE challenges SET challenged_seen = ? WHERE id = ?")
      .Bind(1, now)
      .Bind(2, c.Id)
      .Run();
  return {true, "Hai accettato la sfida di " + c.Challenger + "."};
}

Outcome Withdraw(Db& db, const std::string& user, std::int64_t) {
  const std::string sql = std::string("SELECT ") + kColumns +
                          " FROM challenges WHERE challenger = ? AND challenger_closed = 0 AND "
                          "state = 'attesa' ORDER BY id";
  auto find = db.Prepare(sql.c_str());
  find.Bind(1, user);
  std::vector<Challenge> own;
  while (find.Step()) own.push_back(ReadRow(find));
  for (Challenge& c : own) {
    Abandon(db, c, user);
    Save(db, c);
  }
  if (own.empty()) return {false, "Non hai sfide in attesa."};
  return {true, "La tua sfida \u00e8 stata ritirata."};
}

Outcome Generate(Db& db, const std::string& user, int seed) {
  auto c = ActiveChallenge(db, user);
  if (!c || !c->IsChallenger(user) || c->State != "attesa" || c->Challenged.empty())
    return {false, "Nessuna sfida da preparare."};
  SeededRandom random(std::uint64_t(seed) * 7919u + 17u);
  const MadePuzzle made = MakePuzzle(random, seed % 2 == 0, 24 + seed % 5);
  c->Puzzle = MatchPuzzleText(made.Digits);
  c->Solution = RowsToColumns(made.Solution);
  c->Board = RowsToColumns(made.Digits);
  c->Previous = c->Board;
  c->FoundBy = std::string(81, '0');
  c->State = "avvio";
  Save(db, *c);
  db.Prepare("DELETE FROM match_views WHERE challenge = ?").Bind(1, c->Id).Run();
  return {true, "Lo schema della sfida \u00e8 pronto."};
}

Outcome Start(Db& db, const std::string& user, std::int64_t now) {
  auto c = ActiveChallenge(db, user);
  if (!c || c->State != "avvio") return {false, "Nessuna sfida da avviare."};
  c->State = "corso";
  c->StartDay = DateText(Today());
  c->StartTime = TimeOfDay();
  Save(db, *c);
  // Both players are there as the match begins.
  db.Prepare("UPDATE challenges SET challenger_seen = ?1, challenged_seen = ?1 WHERE id = ?2")
      .Bind(1, now)
      .Bind(2, c->Id)
      .Run();
  return {true, "La sfida \u00e8 iniziata."};
}

Outcome ReportMoves(Db& db, const std::string& user, const MoveReport& report) {
  auto c = ActiveChallenge(db, user);
  if (!c || c->State != "corso") return {false, "Nessuna partita in corso."};
  const bool challenger = c->IsChallenger(user);
  std::string board = c->Board;
  int right = 0;
  for (std::size_t p = 0; p < 81; ++p) {
    const char digit = report.Moves[p];
    if (digit == '0' || board[p] != '0' || digit != c->Solution[p]) continue;
    board[p] = digit;
    c->FoundBy[p] = challenger ? '1' : '2';
    ++right;
  }
  (challenger ? c->ChallengerOk : c->ChallengedOk) += right;
  (challenger ? c->ChallengerKo : c->ChallengedKo) += std::min(report.Wrong, 81);
  c->Board = board;
  if (board.find('0') == std::string::npos) {
    c->Solved = true;
    const int byChallenger = CountCells(c->FoundBy, '1');
    const int byChallenged = CountCells(c->FoundBy, '2');
    EndMatch(db, *c,
             byChallenger > byChallenged   ? c->Challenger
             : byChallenged > byChallenger ? c->Challenged
                                           : std::string());
  }
  Save(db, *c);
  return {true, "Mosse registrate: " + std::to_string(right) + " nuove cifre giuste."};
}

std::string TakeLastSeenBoard(Db& db, const Challenge& c, const std::string& user) {
  if (c.Board.size() != 81) return c.Previous;
  std::string seen = c.Previous;
  {
    auto find = db.Prepare("SELECT board FROM match_views WHERE challenge = ? AND name = ?");
    find.Bind(1, c.Id).Bind(2, user);
    if (find.Step()) seen = find.Text(0);
  }
  db.Prepare(
        "INSERT INTO match_views (challenge, name, board) VALUES (?, ?, ?) "
        "ON CONFLICT (challenge, name) DO UPDATE SET board = excluded.board")
      .Bind(1, c.Id)
      .Bind(2, user)
      .Bind(3, c.Board)
      .Run();
  return seen;
}

Outcome SendMessage(Db& db, const std::string& user, const std::string& text) {
  auto c = ActiveChallenge(db, user);
  if (!c || !IsLive(*c) || c->Challenged.empty())
    return {false, "Nessun avversario a cui scrivere."};
  // At most kMaxMessage characters, as the game counts them: a UTF-8 character is one however
  // many bytes it takes.
  std::string message = text;
  std::size_t characters = 0;
  for (std::size_t at = 0; at < message.size(); ++at) {
    if ((static_cast<unsigned char>(message[at]) & 0xC0) == 0x80) continue;
    if (++characters > kMaxMessage) {
      message.resize(at);
      break;
    }
  }
  std::string lowered = message;
  for (char& ch : lowered) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  // These values carry the end of a match; a chat line must never pass for one.
  if (message.empty() || message == "0" || lowered == "partita abbandonata" ||
      lowered == "finegame")
    return {false, "Messaggio non ammesso."};
  (c->IsChallenger(user) ? c->MsgChallenged : c->MsgChallenger) = message;
  Save(db, *c);
  return {true, "Messaggio inviato."};
}

Outcome Reset(Db& db, const std::string& user, bool abandon) {
  auto c = ActiveChallenge(db, user);
  if (!c) return {false, "Nessuna sfida da chiudere."};
  if (IsLive(*c)) {
    Abandon(db, *c, user);
  } else {
    (c->IsChallenger(user) ? c->ChallengerClosed : c->ChallengedClosed) = true;
  }
  Save(db, *c);
  return {true, abandon ? "Hai abbandonato la sfida." : "Sfida conclusa."};
}

std::vector<RankingRow> Ranking(Db& db) {
  auto list = db.Prepare(
      "SELECT name, matches, wins, right_digits, wrong_digits FROM ranking ORDER BY wins DESC, "
      "right_digits DESC, wrong_digits, name");
  std::vector<RankingRow> rows;
  while (list.Step())
    rows.push_back(
        {list.Text(0), int(list.Int(1)), int(list.Int(2)), int(list.Int(3)), int(list.Int(4))});
  return rows;
}

std::string MatchPuzzleText(const std::string& rowMajorDigits) {
  std::string text;
  for (int col = 0; col < 9; ++col) {
    if (col > 0) text.push_back(';');
    for (int row = 0; row < 9; ++row) {
      const char digit = rowMajorDigits[std::size_t(row * 9 + col)];
      text.push_back(digit == '0' ? '0' : '1');
      text.push_back(digit);
    }
  }
  return text;
}

}  // namespace sudoku::site
