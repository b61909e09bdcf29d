// Money figures of quotes in whole cents, so that a total of many fees is an
// exact integer sum and never a sum of doubles.
#pragma once

#include <string>
#include <string_view>

namespace tarivox::cli {

// Whole cents of a figure as the window writes it: digits with optional ","
// separators, ".", exactly two decimals ("5,400.00" -> 540000). False for
// anything else, and for figures beyond what a long long holds.
bool ParseCentsText(std::string_view text, long long* cents);

// "1234567" -> "1,234,567"; takes plain decimal digits.
std::string GroupDigits(std::string_view digits);

// A whole number in decimal digits, grouped ("1,500").
std::string FormatCount(long long value);

// A whole number as plain digits ("-4230"), for machine-read columns where a
// separator could be misread in some locale.
std::string FormatPlainInteger(long long value);

// Grouped two-decimal text of whole cents, as the window writes fees:
// 8860000 -> "88,600.00"; a negative amount gets a leading "-".
std::string FormatCents(long long cents);

// A difference between two figures: "+1.23", "-42.30", or "0.00".
std::string FormatSignedCents(long long cents);

// A non-negative double in the program's own two-decimal (or other) form,
// grouped. Empty when the value cannot be written (negative, not finite).
std::string FormatDecimal(double value, int decimals);

// A whole-number double (a count of started hundreds) as grouped digits.
// Empty when it is not a whole number in range.
std::string FormatWholeDouble(double value);

}  // namespace tarivox::cli
