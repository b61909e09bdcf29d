// Figures of reports. Totals and differences are sums of whole cents, so
// that adding many fees is an exact integer sum and never a sum of doubles.
#pragma once

#include <string>
#include <string_view>

namespace tarivox::report {

// Grouped two-decimal text of whole cents: 8860000 -> "88,600.00", -1 -> "-0.01".
std::string FormatCents(long long cents);

// A figure as a spreadsheet with a decimal comma reads a number: no
// grouping, "," before the cents: 540000 -> "5400,00", -333 -> "-3,33".
std::string SpreadsheetCents(long long cents);

// A difference between two figures: "+1.23", "-42.30" or "0.00".
std::string FormatSignedCents(long long cents);

// A whole number, grouped ("1,500") or plain ("-4230", for columns read by
// programs, where a separator could be misread in some locale).
std::string FormatCount(long long value);
std::string FormatPlainInteger(long long value);

// A value that is not negative in the program's own decimal form, grouped.
// Empty when it cannot be written (negative, not finite).
std::string FormatDecimal(double value, int decimals);

// A whole-number double (a count of started hundreds), grouped; empty when
// it is not a whole number in range.
std::string FormatWholeDouble(double value);

}  // namespace tarivox::report
