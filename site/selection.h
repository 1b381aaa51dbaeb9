// The catalogue selection the game asks for in the "of" parameter of the selection page:
// "YEAR_MONTH_KIND_GIVENS_PAGE_MARKER", read strictly since it comes from outside.
#pragma once

#include <string>

#include "site/catalogue.h"

namespace sudoku::site {

struct Selection {
  CatalogueFilter Filter;
  int Page = 1;
};

// Year 2000-2100, month 0-12 (0 = any), kind "T" (any) or "S" (symmetric only) in either case,
// givens 0-81 (0 = any), page 0-999999 (0 reads as 1); the marker is the game's and is not
// needed. Throws BadRequest on anything else.
Selection ParseSelection(const std::string& of);

}  // namespace sudoku::site
