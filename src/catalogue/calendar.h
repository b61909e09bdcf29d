// Dates of the Gregorian calendar, as tariff editions and quotes carry
// them: "2030-01-01". An edition is in force from 00:00 of its date.
#pragma once

#include <compare>
#include <string>
#include <string_view>

namespace tarivox {

struct CalendarDate {
  int Year = 0;  // 0: no date
  int Month = 0;
  int Day = 0;
  auto operator<=>(const CalendarDate&) const = default;
  bool IsSet() const { return Year != 0; }
};

// Whether the day exists (2026-02-29 does not).
bool IsRealDate(const CalendarDate& date);

// "YYYY-MM-DD", exactly ten characters, a day that exists, year 1 to 9999.
bool ParseIsoDate(std::string_view text, CalendarDate* date);
std::string IsoDate(const CalendarDate& date);

// The date days later (or earlier, for a negative count).
CalendarDate AddDays(const CalendarDate& date, int days);

}  // namespace tarivox
