#include "report/typed_input.h"

#include "fees/amount_text.h"
#include "report/text.h"
#include "report/units.h"

namespace tarivox::report {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// An integer part whose commas, if any, stand between groups of three
// digits after a first group of one to three.
bool CommasSeparateThousands(std::string_view integer) {
  std::size_t group = 0;
  bool comma = false;
  for (char c : integer) {
    if (c != ',') {
      ++group;
      continue;
    }
    if (group == 0 || group > 3 || (comma && group != 3)) return false;
    comma = true;
    group = 0;
  }
  return !comma || group == 3;
}

// Digits, commas and one point at most, with a digit among them: a number
// but for the place of its commas, its decimals and its size.
bool IsPlainNumber(std::string_view text) {
  bool digit = false;
  bool point = false;
  for (char c : text) {
    if (c == '.' && !point) {
      point = true;
    } else if (IsDigit(c)) {
      digit = true;
    } else if (c != ',') {
      return false;
    }
  }
  return digit;
}

// "1e3", "2D3", "1,000e3": the window reads an exponent, but an amount
// priced for a client states every digit.
bool HasExponent(std::string_view number) {
  std::size_t letter = number.find_first_of("EeDd");
  if (letter == std::string_view::npos || !IsPlainNumber(number.substr(0, letter))) return false;
  std::string_view power = number.substr(letter + 1);
  if (!power.empty() && (power[0] == '+' || power[0] == '-')) power.remove_prefix(1);
  return !power.empty() && power.find_first_not_of("0123456789") == std::string_view::npos;
}

// The cents of a plain number with at most two decimals, or false when they
// reach AMOUNT_CENTS_END. Leading zeros count for nothing, however many.
bool CentsOf(std::string_view number, long long* cents) {
  const std::size_t point = number.find('.');
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
  long long value = 0;
  for (char c : number.substr(0, point)) {
    if (c == ',') continue;
    value = value * 10 + (c - '0');
    if (value >= AMOUNT_CENTS_END / 100) return false;
  }
  for (std::size_t decimal = 0; decimal < 2; ++decimal) {
    value = value * 10 + (decimal < fraction.size() ? fraction[decimal] - '0' : 0);
  }
  *cents = value;
  return value < AMOUNT_CENTS_END;
}

// What is wrong with a number after its sign, for the message that says
// so and how to write it; none when it can be priced.
enum class Problem { None, Exponent, Commas, NotANumber, Decimals, TooLarge, Zero };

Problem JudgeNumber(std::string_view number, long long* cents) {
  const std::size_t point = number.find('.');
  const bool commaInFraction = point != std::string_view::npos && number.find(',', point) != std::string_view::npos;
  if (HasExponent(number)) return Problem::Exponent;
  if (!CommasSeparateThousands(number.substr(0, point)) || commaInFraction) return Problem::Commas;
  if (!IsPlainNumber(number)) return Problem::NotANumber;
  if (point != std::string_view::npos && number.size() - point - 1 > 2) return Problem::Decimals;
  if (!CentsOf(number, cents)) return Problem::TooLarge;
  return *cents == 0 ? Problem::Zero : Problem::None;
}

std::string HowToWrite(Language language) { return Text(language, MSG_AMOUNT_HOW, Cents{15000000}); }

std::string Refusal(Language language, Problem problem, std::string_view typed) {
  const std::string how = HowToWrite(language);
  switch (problem) {
    case Problem::Exponent: return Text(language, MSG_AMOUNT_EXPONENT, typed, how);
    case Problem::Commas: return Text(language, MSG_AMOUNT_COMMAS, typed, how);
    case Problem::NotANumber: return Text(language, MSG_AMOUNT_NOT_A_NUMBER, typed, how);
    case Problem::Decimals: return Text(language, MSG_AMOUNT_DECIMALS, typed, how);
    case Problem::TooLarge: return Text(language, MSG_AMOUNT_TOO_LARGE, typed, Cents{AMOUNT_CENTS_END});
    case Problem::Zero: return Text(language, MSG_AMOUNT_ZERO, typed);
    case Problem::None: break;
  }
  return {};
}

}  // namespace

bool ReadTypedAmount(Language language, std::string_view typed, long long* cents, std::string* reason) {
  const std::string_view text = Trim(typed);
  if (text.empty()) {
    *reason = Text(language, MSG_AMOUNT_EMPTY, HowToWrite(language));
  } else if (text.size() > AMOUNT_FIELD_LIMIT) {
    *reason = Text(language, MSG_AMOUNT_LONG, static_cast<long long>(AMOUNT_FIELD_LIMIT), HowToWrite(language));
  } else if (text[0] == '-') {
    *reason = Text(language, MSG_AMOUNT_NEGATIVE, text, HowToWrite(language));
  } else {
    const Problem problem = JudgeNumber(text.substr(text[0] == '+' ? 1 : 0), cents);
    if (problem == Problem::None) return true;
    *reason = Refusal(language, problem, text);
  }
  return false;
}

bool ReadTypedQuantity(Language language, std::string_view typed, QuantityUnit unit, long long* quantity,
                       std::string* reason) {
  const std::string_view text = Trim(typed);
  if (text.empty()) {
    *reason = Text(language, MSG_QUANTITY_EMPTY, UnitsName(language, unit), 1, QUANTITY_LIMIT);
    return false;
  }
  long long value = 0;
  bool digits = CommasSeparateThousands(text);
  for (char c : text) {
    if (c == ',') continue;
    if (!IsDigit(c)) {
      digits = false;
      break;
    }
    // Past the limit the value only has to stay past it.
    if (value <= QUANTITY_LIMIT) value = value * 10 + (c - '0');
  }
  // A quantity written in digits is told its range, not how to write it.
  if (!digits || value < 1 || value > QUANTITY_LIMIT) {
    *reason = Text(language, digits ? MSG_QUANTITY_RANGE : MSG_QUANTITY_INVALID, text, 1, QUANTITY_LIMIT);
    return false;
  }
  *quantity = value;
  return true;
}

}  // namespace tarivox::report
