// The connection to the site as the main window keeps it: whether the game is online and as
// whom, and what goes with the site's addresses.
#pragma once

#include <cstdint>
#include <string>

namespace sudoku {

struct ConnectionState {
  bool Connesso = false;    // connected to the site
  bool Registrato = false;  // connected as a registered user
  std::string DatiUtente;   // the rest of the login reply, at most 100 characters
  // The flags of the navigations that ask for them: 14 (no history, no read from and no write
  // to the cache) once a login or a publication has set them.
  std::int32_t OpzioniNavigazione = 0;
  // The catalogue marker: "quillo" from the window's creation, then what a catalogue page's
  // title names; appended to every catalogue address.
  std::string Marcatore;
};

}  // namespace sudoku
