// Local dates and times of the site.
#include "site/calendar.h"

#include <cstdio>
#include <ctime>

namespace sudoku::site {
namespace {

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  return parts;
}

}  // namespace

Date Today() {
  const std::tm now = LocalNow();
  return {now.tm_year + 1900, now.tm_mon + 1, now.tm_mday};
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[(month - 1) % 12];
}

std::string DateText(const Date& date, char separator) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d%c%02d%c%04d", date.Day % 100, separator, date.Month % 100,
                separator, date.Year % 10000);
  return text;
}

std::string TimeOfDay() {
  const std::tm now = LocalNow();
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.tm_hour, now.tm_min, now.tm_sec);
  return text;
}

}  // namespace sudoku::site
