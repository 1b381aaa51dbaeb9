// Dates and times as the site writes them, read from the local clock.
#pragma once

#include <string>

namespace sudoku::site {

struct Date {
  int Year = 2000, Month = 1, Day = 1;
};

Date Today();
int DaysInMonth(int year, int month);
// "dd" + separator + "mm" + separator + "yyyy".
std::string DateText(const Date& date, char separator = '/');
// The local time of day, "hh:mm:ss".
std::string TimeOfDay();

}  // namespace sudoku::site
