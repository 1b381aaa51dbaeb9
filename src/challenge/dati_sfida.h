// The challenge variables read from the site's challenge data pages, and the reading of one
// section of the page loaded in a browser pane.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "online/browser_pane.h"
#include "solver/random.h"

namespace sudoku {

// One variable per value element of the challenge pages, named as the element's id, holding
// what a page without that element gives. The 81-character fields list the cells column by
// column, as the board arrays do.
struct DatiSfida {
  std::string nickname = "anonimo";   // this user's name on the challenge system
  std::string miaSuSfida = "chiusa";  // state of the user's own challenge
  std::int32_t UteSuConnessi = 0;
  std::int32_t nAttesa = 0;       // challenges waiting to be accepted
  std::int32_t nCorso = 0;        // matches in progress
  std::int32_t nMaxSuSfide = 0;   // matches in progress allowed at once
  std::string schemasfida = "0";  // the match puzzle, nine ";"-separated column pieces
  std::string sfidante = "0";     // challenger
  std::string sfidato = "0";      // challenged user
  std::string statosfida = "0";   // "attesa", "avvio", "corso"
  std::string soluzione = "0";
  std::string giornoiniziosfida = "0";
  std::string orainiziosfida = "0";
  std::string orafinesfida = "0";
  std::string ultimamossa = "0";        // the board the site holds, "0" = no move in the cell
  std::string mossaprecedente = "0";    // that board before its last update
  std::string elementotrovatoda = "0";  // finder of each cell: "1" challenger, "2" challenged
  std::string puntisfidanteok = "0";
  std::string puntisfidanteko = "0";
  std::string puntisfidatook = "0";
  std::string puntisfidatoko = "0";
  std::string bRisolto = "0";  // "si" once the match puzzle is solved
  // The latest chat message for each side (UTF-8), or a marker of the match's end.
  std::string msgxsfidato = "0";   // for the challenged user
  std::string msgxsfidante = "0";  // for the challenger
};

// Copies the fields of one section ("sfida", "comuni", "asusfideincorso"; any other name reads
// nothing) from the page loaded in pane, in the section's order. A missing element gives the
// field its default. A page that is not an HTML document, has no body, or holds a value that is
// no 32-bit integer where one is due cannot be read: BrowserError, and the fields read before
// keep their new values.
void ReadChallengePage(BrowserPane& pane, std::string_view section, DatiSfida& dati);

// The number added to the challenge data addresses so that no cache answers them.
std::string CacheDefeatingNumber(Random& random);

}  // namespace sudoku
