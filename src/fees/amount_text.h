// The texts of a computation and every text form of amounts and fees: the
// typed amount cleaned and read, the grouped two-decimal form and the result
// sentence.
//
// One call, ComputeFeeTexts, turns a selection and the typed text into the
// three texts the window shows, with their lengths and the figures behind
// them. It keeps nothing between calls and depends on no call before it.
// The window keeps its three buffers below and fills them from that value.
#pragma once

#include <cstddef>
#include <string_view>

#include "catalogue/edition.h"
#include "catalogue/selection.h"
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
// window's grouping area. Larger and non-finite amounts are treated as
// unusable input, like text that is not a number: amount 0, text "0.00".
inline constexpr double AMOUNT_LIMIT = 1e15;

// The result sentence is these two fixed texts, each followed by a fill:
// "Para un monto de: US$ <amount>  el pago es: US$ <fee>".
inline constexpr char MESSAGE_BEFORE_AMOUNT[] = "Para un monto de: US$ ";
inline constexpr char MESSAGE_BEFORE_FEE[] = "  el pago es: US$ ";

// A text with its length, in a buffer of fixed size; always terminated.
template <std::size_t Size>
struct FixedText {
  char Bytes[Size];
  std::size_t Length;
  std::string_view View() const { return {Bytes, Length}; }
};

// The figures of one "Calcular pago", from which its texts are written.
struct FeeFigures {
  bool Computed;  // false for a selection outside the fee tables: nothing else is set
  double TypedValue;   // the number read from the cleaned text (may be negative or infinite)
  double AmountValue;  // what the engine computed with: the amount in cents, 0 when not usable
  long long AmountCents;  // the two texts in whole cents
  long long FeeCents;
  FeeResult Result;
  FeeTrace Trace;
};

// One "Calcular pago": the figures and the three texts.
struct FeeComputation : FeeFigures {
  FixedText<AMOUNT_TEXT_SIZE> Amount;    // the amount field afterwards: "25,000.00"
  FixedText<FEE_TEXT_SIZE> Fee;          // the fee display: "157.50"
  FixedText<MESSAGE_TEXT_SIZE> Message;  // the result sentence
};

// The figures for typed, the amount field's text as typed (its first
// AMOUNT_FIELD_LIMIT bytes are read, as the window reads them), under the
// edition.
FeeFigures ComputeFeeFigures(const Edition& edition, const Selection& selection, std::string_view typed);

// The same with the selection's rule already looked up: rule is
// RuleOf(edition, selection).
FeeFigures ComputeFeeFigures(const Edition& edition, const SelectionRule& rule, const Selection& selection,
                             std::string_view typed);

// The figures and the texts the window shows for them.
FeeComputation ComputeFeeTexts(const Edition& edition, const Selection& selection, std::string_view typed);

// The same under the built-in edition, as the window computes.
FeeFigures ComputeFeeFigures(const Selection& selection, std::string_view typed);
FeeComputation ComputeFeeTexts(const Selection& selection, std::string_view typed);

// The amount the window computes with for the field's text, in cents: 0
// for what is no usable amount.
long long ReadFieldCents(std::string_view typed);

// Room for the three texts of any computation as one line.
inline constexpr std::size_t FEE_LINE_CAPACITY = 160;

// The three texts of computed figures as batch writes them, at out (which
// has FEE_LINE_CAPACITY bytes): "AMOUNT<TAB>FEE<TAB>SENTENCE<LF>", in place,
// each grouped figure made once and written in both its places. Returns the
// length.
std::size_t WriteFeeLine(const FeeFigures& figures, char* out);

// What the window does with the field's text before reading a number from
// it: keeps the first 127 characters, takes "0.0" for an empty field, and
// removes every comma.
FixedText<AMOUNT_TEXT_SIZE> CleanAmountText(std::string_view typed);

// The grouped two-decimal text of whole cents: 123456789 -> "1,234,567.89",
// 5 -> "0.05". Returns the length, or 0 (and an empty text) when it does not
// fit in outSize bytes with its terminator.
std::size_t WriteGroupedCents(unsigned long long cents, char* out, std::size_t outSize);

// The window's three buffers, filled from a FeeComputation when it shows one.
extern char AmountText[AMOUNT_TEXT_SIZE];
extern char FeeText[FEE_TEXT_SIZE];
extern char MessageText[MESSAGE_TEXT_SIZE];

// The field's text into AmountText, cleaned as CleanAmountText does.
void ReadAmountText(const char* fieldText);

}  // namespace tarivox
