// Session cookies: random tokens handed to the browser, kept in the store only as hashes, and
// the live count of users seen lately.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "site/db.h"
#include "site/token.h"

namespace sudoku::site {

inline constexpr const char* kSessionCookie = "sessione";
// Seconds without a request after which a signed-in player counts as gone from the lobby and
// the count of users connected: a game polls every ten seconds, so six polls missed.
inline constexpr std::int64_t kDeadPlayerInterval = 60;

// A session ends a day after its last use, and 30 days after it opened whatever its use.
inline constexpr std::int64_t kSessionIdleLimit = 24 * 3600;
inline constexpr std::int64_t kSessionLife = 30 * 24 * 3600;

// Opens a session for name and returns its token.
std::string OpenSession(Db& db, const std::string& name, std::int64_t now);
// The user of a live session, refreshing its time; nothing for an unknown or ended token.
std::optional<std::string> FindSession(Db& db, const std::string& token, std::int64_t now);
void CloseSession(Db& db, const std::string& token);
// Closes every session of name (the user signed off).
void CloseSessionsOf(Db& db, const std::string& name);
// Users with a session seen within the dead-player interval.
int UsersOnline(Db& db, std::int64_t now);

std::int64_t NowSeconds();

}  // namespace sudoku::site
