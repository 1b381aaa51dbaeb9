// The login window's answer, "identity&waiting&running&unused&user data", split into its parts.
#pragma once

#include <cstdint>
#include <string>

namespace sudoku {

// The identity the login window answers when the user stays offline or the site is unreachable.
inline constexpr const char* kNoConnect = "noconnect";
// The identity of a user who plays connected without an account.
inline constexpr const char* kAnonymousMarker = "4pw7anony7wp4";

struct LoginResult {
  std::string utente;
  std::int32_t nAttesa = 0;  // challenges waiting for the user
  std::int32_t nCorso = 0;   // challenges under way
  std::string datiUtente;    // at most 100 characters
  bool registrato = false;
  bool hasFields = false;  // the answer held "&"; without, only utente is set
};

// Field k of an "&"-separated answer, as the site's answers are read: drop the text up to and
// including the first "&" k-1 times (a drop without "&" left changes nothing), then keep the
// text before the next "&". A short answer therefore repeats its last field.
std::string LoginField(const std::string& answer, int k);

// Splits an answer that holds "&"; one without is just the identity, in lower case.
LoginResult ParseLoginResult(const std::string& answer);

}  // namespace sudoku
