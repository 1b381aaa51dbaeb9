// The addresses of the challenge requests, as paths on the site. Every value put into one goes
// through QueryValue, so that names and chat lines reach the site as typed.
#pragma once

#include <string>

#include "challenge/match_board.h"

namespace sudoku {

namespace challenge_path {
inline constexpr const char* kLaunch = "/sudoku/sfida-online/lancia-sfida.asp";
inline constexpr const char* kAccept = "/sudoku/sfida-online/accetta-sfida.asp";
inline constexpr const char* kWithdraw = "/sudoku/sfida-online/annulla-sfida-sfidante.asp";
inline constexpr const char* kStart = "/sudoku/sfida-online/avvia-sfida-sudoku.asp";
inline constexpr const char* kRanking = "/sudoku/sfida-online/sudoku-online-classifica.asp";
}  // namespace challenge_path

// The challenge data page and the match page, with the cache-defeating number r.
std::string ChallengeDataPath(const std::string& r);
std::string MatchDataPath(const std::string& r);
// The status page rendering message (which may hold the tags <b> and <br>).
std::string StatusPath(const std::string& message);
std::string GeneratePath(int n);
// Closes or leaves the challenge: ending is "fine" or "abbandono", outcome "1" after a solve.
std::string ResetPath(const std::string& nickname, const std::string& ending,
                      const std::string& outcome);
std::string LogoutPath(const std::string& nickname);
std::string MoveReportPath(const std::string& nickname, const MoveReport& report);
// text: a chat line in UTF-8.
std::string MessagePath(const std::string& nickname, const std::string& text);

}  // namespace sudoku
