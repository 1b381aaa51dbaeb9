// Building the challenge request addresses.
#include "challenge/challenge_requests.h"

#include "online/query_value.h"

namespace sudoku {
namespace {

const std::string kPrefix = "/sudoku/sfida-online/";

}  // namespace

std::string ChallengeDataPath(const std::string& r) {
  return kPrefix + "lettura-dati-sfida.asp?id=" + QueryValue(r);
}

std::string MatchDataPath(const std::string& r) {
  return kPrefix + "lettura-asusfideincorso.asp?id=" + QueryValue(r);
}

std::string StatusPath(const std::string& message) {
  return kPrefix + "visualizza-dati-sfida.asp?msg=" + QueryValue(message);
}

std::string GeneratePath(int n) {
  return kPrefix + "genera-sfida-sudoku.asp?genera=" + std::to_string(n);
}

std::string ResetPath(const std::string& nickname, const std::string& ending,
                      const std::string& outcome) {
  return kPrefix + "reset-sfida-sudoku.asp?id=" + QueryValue(nickname) + ";" + ending + ";" +
         outcome;
}

std::string LogoutPath(const std::string& nickname) {
  return kPrefix + "logout.asp?id=" + QueryValue(nickname);
}

std::string MoveReportPath(const std::string& nickname, const MoveReport& report) {
  return kPrefix + "aggiorna-asusfideincorso.asp?id=" + QueryValue(nickname) + ";" +
         QueryValue(report.moves) + ";" + std::to_string(report.right) + ";" +
         std::to_string(report.wrong) + ";" + QueryValue(report.found) + ";" +
         std::to_string(report.filled) + ";stop";
}

std::string MessagePath(const std::string& nickname, const std::string& text) {
  return kPrefix + "invia-messaggio.asp?id=" + QueryValue(nickname) + ";" + Utf8QueryValue(text);
}

}  // namespace sudoku
