#include "report/money.h"

#include "fees/amount_text.h"
#include "fees/decimal_form.h"

namespace tarivox::report {
namespace {

// Plain digits of a number; our own loop, so that no library formatting
// decides how a figure looks.
std::string Digits(unsigned long long value) {
  char reversed[24];
  int length = 0;
  do {
    reversed[length++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  std::string digits;
  while (length > 0) digits.push_back(reversed[--length]);
  return digits;
}

std::string GroupDigits(std::string_view digits) {
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped.push_back(',');
    grouped.push_back(digits[i]);
  }
  return grouped;
}

// -LLONG_MIN does not fit a long long; the magnitude goes through the
// unsigned type.
unsigned long long Magnitude(long long value) {
  return value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
}

std::string Signed(long long value, std::string text) { return value < 0 ? "-" + text : text; }

}  // namespace

std::string FormatCents(long long cents) {
  char text[32];
  std::size_t length = WriteGroupedCents(Magnitude(cents), text, sizeof text);
  return Signed(cents, std::string(text, length));
}

std::string SpreadsheetCents(long long cents) {
  unsigned long long magnitude = Magnitude(cents);
  std::string decimals = Digits(magnitude % 100);
  if (decimals.size() < 2) decimals.insert(0, "0");
  return Signed(cents, Digits(magnitude / 100) + "," + decimals);
}

std::string FormatSignedCents(long long cents) { return cents > 0 ? "+" + FormatCents(cents) : FormatCents(cents); }

std::string FormatCount(long long value) { return Signed(value, GroupDigits(Digits(Magnitude(value)))); }

std::string FormatPlainInteger(long long value) { return Signed(value, Digits(Magnitude(value))); }

std::string FormatDecimal(double value, int decimals) {
  char text[DECIMAL_FORM_CAPACITY];
  std::size_t length = WriteDecimalForm(value, decimals, text, sizeof text);
  if (length == 0) return {};
  std::string_view written(text, length);
  std::size_t point = written.find('.');
  if (point == std::string_view::npos) return GroupDigits(written);
  return GroupDigits(written.substr(0, point)) + std::string(written.substr(point));
}

std::string FormatWholeDouble(double value) {
  // 2^63 is the first double a long long cannot hold.
  if (!(value >= 0.0 && value < 9223372036854775808.0)) return {};
  auto whole = static_cast<long long>(value);
  return static_cast<double>(whole) == value ? FormatCount(whole) : std::string();
}

}  // namespace tarivox::report
