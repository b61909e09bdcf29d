// What a person types for an act, read by one rule wherever it is typed:
// the amount of a quote's act, of a comparison, of the page's calculator
// and of a quote file, and the quantity a tariff text counts. A refusal says
// what is wrong with the text and how to write it.
//
// The rule for an amount keeps every cent typed: blanks around it are
// trimmed, then an optional "+", digits with commas only between thousands,
// a point and at most two decimals, no exponent; above 0.00 and below 2^46
// dollars, the largest amount that the window's reading, a double, still
// keeps to the cent. `calc` and `batch` answer as the window does, and read
// the field as the window reads it instead (see fees/amount_text.h).
#pragma once

#include <string>
#include <string_view>

#include "catalogue/edition.h"
#include "report/messages.h"

namespace tarivox::report {

// 2^46 dollars in cents: amounts below it are taken. Below it, every cent
// typed is the cent computed with, and the amount in cents stays below
// 2^53, exact for a JavaScript reader of the JSON.
inline constexpr long long AMOUNT_CENTS_END = 7036874417766400;

// The amount's cents, or false with the reason.
bool ReadTypedAmount(Language language, std::string_view typed, long long* cents, std::string* reason);

// A quantity of the unit a tariff text counts: blanks around it trimmed, a
// whole number from 1 to QUANTITY_LIMIT, commas only between thousands.
bool ReadTypedQuantity(Language language, std::string_view typed, QuantityUnit unit, long long* quantity,
                       std::string* reason);

}  // namespace tarivox::report
