// The process-wide date and time formatting that default date and time texts follow. It starts
// with the system's defaults; saving a created puzzle or loading a web puzzle switches it to
// day-month-year with "-" separators for the rest of the run.
#pragma once

#include <string>

namespace sudoku {

struct FormatSettings {
  // In the formats "/" stands for DateSeparator and ":" for TimeSeparator.
  char DateSeparator = '/';
  std::string ShortDateFormat = "dd/mm/yyyy";
  char TimeSeparator = ':';
  std::string LongTimeFormat = "hh:nn:ss";

  void UseDayMonthYearDashes() {
    DateSeparator = '-';
    ShortDateFormat = "dd/mm/yyyy";
    TimeSeparator = '-';
    LongTimeFormat = "hh/nn/ss";
  }
};

}  // namespace sudoku
