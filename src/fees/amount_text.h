// The three texts of a computation and every text form of amounts and fees:
// cleaning the typed amount, reading it, the two-decimal form, thousands
// grouping and the result sentence.
#pragma once

#include <cstddef>

#include "fees/fee_engine.h"

namespace tarivox {

inline constexpr std::size_t AMOUNT_TEXT_SIZE = 128;
inline constexpr std::size_t FEE_TEXT_SIZE = 128;
inline constexpr std::size_t MESSAGE_TEXT_SIZE = 256;
// The amount field is read like GetDlgItemTextA with a 128-byte buffer does:
// its first 127 characters.
inline constexpr std::size_t AMOUNT_FIELD_LIMIT = 127;

// Amounts are usable only below 10^15 dollars after rounding to cents: the
// grouped text of larger ones ("1,000,000,000,000,000.00") does not fit the
// grouping area. Larger and non-finite amounts are treated as unusable
// input, like text that is not a number: amount 0, text "0.00".
inline constexpr double AMOUNT_LIMIT = 1e15;

// What the fee display shows for "Presentación", a service the window does
// not compute: the tariff's fixed fee, as text.
inline constexpr char PRESENTATION_FEE_TEXT[] = "8.86";

// The result sentence is these two fixed texts, each followed by a fill:
// "Para un monto de: US$ <amount>  el pago es: US$ <fee>".
inline constexpr char MESSAGE_BEFORE_AMOUNT[] = "Para un monto de: US$ ";
inline constexpr char MESSAGE_BEFORE_FEE[] = "  el pago es: US$ ";

extern char AmountText[AMOUNT_TEXT_SIZE];
extern char FeeText[FEE_TEXT_SIZE];
extern char MessageText[MESSAGE_TEXT_SIZE];

// Copies text without its commas into AmountText (text may be AmountText).
void StripCommas(const char* text);

// Groups a two-decimal form ("1234567.89" -> "1,234,567.89") into FeeText
// when toFee is true, into AmountText otherwise (text may be the target). A
// text without "." gives "0.00"; one that would not fit gives "0.00" too.
void GroupThousands(const char* text, bool toFee);

// What the window does with the amount field's text: keeps its first 127
// characters, "0.0" for an empty field, and removes the commas, into
// AmountText.
void ReadAmountText(const char* fieldText);

// The computation from AmountText: amount steps, EvaluateFee, result steps.
// Rewrites AmountText (grouped two-decimal form), FeeText and MessageText;
// selection.Amount is ignored. Returns false, leaving every buffer as it was,
// for a selection outside the fee tables. *result, when given, receives the
// engine's result and *amount the amount computed with.
bool ComputeFeeFromAmountText(const FeeSelection& selection, FeeResult* result = nullptr,
                              double* amount = nullptr);

// ReadAmountText followed by ComputeFeeFromAmountText: a whole "Calcular
// pago" without a window. Returns false for a selection outside the tables
// (then no buffer is written).
bool ComputeFeeTexts(const FeeSelection& selection, const char* fieldText);

// Fills out with the result sentence of amount and fee, always terminated.
void WriteResultSentence(const char* amount, const char* fee, char* out, std::size_t outSize);

}  // namespace tarivox
