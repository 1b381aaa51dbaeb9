// Splitting the login window's answer.
#include "online/login_result.h"

#include <charconv>

#include "online/local_pages.h"

namespace sudoku {
namespace {

constexpr std::size_t kMaxDatiUtente = 100;

// The decimal value of the whole text, or 0 when it is not a 32-bit integer.
std::int32_t NumberOrZero(const std::string& text) {
  std::int32_t value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || first == last) return 0;
  return value;
}

}  // namespace

std::string LoginField(const std::string& answer, int k) {
  std::string rest = answer;
  for (int i = 1; i < k; ++i) {
    std::size_t amp = rest.find('&');
    if (amp != std::string::npos) rest.erase(0, amp + 1);
  }
  return rest.substr(0, rest.find('&'));
}

LoginResult ParseLoginResult(const std::string& answer) {
  LoginResult result;
  if (answer.find('&') == std::string::npos) {
    result.utente = LowerAscii(answer);
    return result;
  }
  result.hasFields = true;
  result.utente = LoginField(answer, 1);
  result.nAttesa = NumberOrZero(LoginField(answer, 2));
  result.nCorso = NumberOrZero(LoginField(answer, 3));
  result.datiUtente = LoginField(answer, 5).substr(0, kMaxDatiUtente);
  result.registrato = result.utente.size() > 3;
  return result;
}

}  // namespace sudoku
