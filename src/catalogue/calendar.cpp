#include "catalogue/calendar.h"

namespace tarivox {
namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 0000-03-01 of the proleptic calendar, and back: whole-era
// arithmetic, so that any span of days is one addition.
long long DayNumber(const CalendarDate& date) {
  const int year = date.Year - (date.Month <= 2 ? 1 : 0);
  const int month = date.Month <= 2 ? date.Month + 9 : date.Month - 3;
  return 365LL * year + year / 4 - year / 100 + year / 400 + (153 * month + 2) / 5 + date.Day - 1;
}

CalendarDate FromDayNumber(long long days) {
  long long year = (10000 * days + 14780) / 3652425;
  long long rest = days - (365 * year + year / 4 - year / 100 + year / 400);
  if (rest < 0) {
    --year;
    rest = days - (365 * year + year / 4 - year / 100 + year / 400);
  }
  const long long month = (100 * rest + 52) / 3060;
  const int day = static_cast<int>(rest - (month * 306 + 5) / 10 + 1);
  const int shifted = static_cast<int>((month + 2) % 12 + 1);
  return {static_cast<int>(year + (month + 2) / 12), shifted, day};
}

}  // namespace

bool IsRealDate(const CalendarDate& date) {
  return date.Year >= 1 && date.Year <= 9999 && date.Month >= 1 && date.Month <= 12 && date.Day >= 1 &&
         date.Day <= DaysInMonth(date.Year, date.Month);
}

bool ParseIsoDate(std::string_view text, CalendarDate* date) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  int fields[3] = {};
  const std::size_t starts[] = {0, 5, 8}, lengths[] = {4, 2, 2};
  for (int i = 0; i < 3; ++i) {
    for (char c : text.substr(starts[i], lengths[i])) {
      if (c < '0' || c > '9') return false;
      fields[i] = fields[i] * 10 + (c - '0');
    }
  }
  const CalendarDate read{fields[0], fields[1], fields[2]};
  if (!IsRealDate(read)) return false;
  *date = read;
  return true;
}

std::string IsoDate(const CalendarDate& date) {
  std::string text = "0000-00-00";
  const int fields[] = {date.Year, date.Month, date.Day};
  const std::size_t ends[] = {4, 7, 10};
  for (int i = 0; i < 3; ++i) {
    int value = fields[i];
    for (std::size_t at = ends[i]; at-- > ends[i] - (i == 0 ? 4 : 2);) {
      text[at] = static_cast<char>('0' + value % 10);
      value /= 10;
    }
  }
  return text;
}

CalendarDate AddDays(const CalendarDate& date, int days) { return FromDayNumber(DayNumber(date) + days); }

}  // namespace tarivox
