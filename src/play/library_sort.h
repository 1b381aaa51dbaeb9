// How the library list's columns read for sorting: numbers and day-month-year dates.
#pragma once

#include <optional>
#include <string_view>

#include "play/ports.h"

namespace sudoku {

// A decimal number as the numeric columns hold it ("." as decimal separator, spaces around
// allowed); an empty text is 0; nullopt for any other text.
std::optional<double> ParseListNumber(std::string_view text);

// A date written day-month-year with "-" separators ("5-3-09", "12-05-2008"; day-month alone
// means this year), as days since 1970-01-01; a two-digit year falls within 50 years before
// today's year and 49 after. nullopt when the text is not a valid date.
std::optional<long> ParseListDate(std::string_view text, const DateTime& today);

long DaysSinceEpoch(int year, int month, int day);

}  // namespace sudoku
