#include "fees/amount_text.h"

#include <cstring>

#include "fees/amount_reader.h"
#include "fees/decimal_form.h"

namespace tarivox {

char AmountText[AMOUNT_TEXT_SIZE];
char FeeText[FEE_TEXT_SIZE];
char MessageText[MESSAGE_TEXT_SIZE];

namespace {

// Limits of the thousands grouping, the sizes of its areas: the decimals
// keep at most 11 characters (".00" needs 3), the grouped integer part at
// most 19 (15 digits and 4 separators, amounts below 10^15). A text beyond
// them is not an amount the window can show.
constexpr std::size_t kDecimalsAreaSize = 12;
constexpr std::size_t kGroupedAreaSize = 20;

// The length of text, or limit when no terminator comes before it. memchr
// stops at the first terminator, so it reads no further than the text.
std::size_t LengthBounded(const char* text, std::size_t limit) {
  const void* end = std::memchr(text, '\0', limit);
  return end == nullptr ? limit : static_cast<std::size_t>(static_cast<const char*>(end) - text);
}

// AmountText = the first `length` characters of text without their commas,
// moved a run at a time. text may be AmountText: the writing never
// overtakes the reading.
void KeepAllButCommas(const char* text, std::size_t length) {
  std::size_t kept = 0;
  for (std::size_t at = 0; at < length;) {
    const void* comma = std::memchr(text + at, ',', length - at);
    std::size_t run =
        comma == nullptr ? length - at : static_cast<std::size_t>(static_cast<const char*>(comma) - (text + at));
    std::memmove(AmountText + kept, text + at, run);
    kept += run;
    at += run + 1;
  }
  AmountText[kept] = '\0';
}

// Every target holds far more than these few characters.
void WriteZeroAmount(char* target) { std::memcpy(target, "0.00", sizeof "0.00"); }

// Step 5 of the grouping: writes integer (length n) with a "," before every
// third character counted from the right, n + separators characters, from
// the right. In place (grouped == integer) nothing is written over a
// character still to be read: each lands at or right of where it stood.
void InsertSeparators(const char* integer, std::size_t n, std::size_t separators, char* grouped) {
  std::size_t write = n + separators;
  int sinceSeparator = 0;
  for (std::size_t read = n; read-- > 0;) {
    if (sinceSeparator == 3) {
      grouped[--write] = ',';
      sinceSeparator = 0;
    }
    grouped[--write] = integer[read];
    ++sinceSeparator;
  }
}

// Appends length characters of source at out[at], as many as fit before
// the terminator's place, and terminates; returns the new end.
std::size_t AppendBounded(char* out, std::size_t outSize, std::size_t at, const char* source,
                          std::size_t length) {
  std::size_t taken = length < outSize - 1 - at ? length : outSize - 1 - at;
  std::memcpy(out + at, source, taken);
  out[at + taken] = '\0';
  return at + taken;
}

}  // namespace

void StripCommas(const char* text) { KeepAllButCommas(text, LengthBounded(text, AMOUNT_TEXT_SIZE - 1)); }

void GroupThousands(const char* text, bool toFee) {
  char* target = toFee ? FeeText : AmountText;
  std::size_t length = LengthBounded(text, AMOUNT_TEXT_SIZE - 1);
  std::size_t point = length;
  for (std::size_t i = length; i-- > 0;) {
    if (text[i] == '.') {
      point = i;
      break;
    }
  }
  std::size_t separators = point == 0 ? 0 : (point - 1) / 3;
  // A text without a point, or one whose parts overflow the grouping areas,
  // is not an amount the program can show.
  if (point == length || length - point >= kDecimalsAreaSize || point + separators >= kGroupedAreaSize) {
    WriteZeroAmount(target);
    return;
  }
  // Built from the right, so that text may be the target: the point and
  // the decimals move right by the separators first, then the integer part
  // behind them.
  static_assert(kGroupedAreaSize + kDecimalsAreaSize <= FEE_TEXT_SIZE && FEE_TEXT_SIZE <= AMOUNT_TEXT_SIZE);
  target[length + separators] = '\0';
  std::memmove(target + point + separators, text + point, length - point);
  InsertSeparators(text, point, separators, target);
}

void ReadAmountText(const char* fieldText) {
  std::size_t length = LengthBounded(fieldText, AMOUNT_FIELD_LIMIT);
  if (length == 0) {
    std::memcpy(AmountText, "0.0", sizeof "0.0");
    return;
  }
  KeepAllButCommas(fieldText, length);
}

void WriteResultSentence(const char* amount, const char* fee, char* out, std::size_t outSize) {
  if (outSize == 0) return;
  std::size_t at = AppendBounded(out, outSize, 0, MESSAGE_BEFORE_AMOUNT, sizeof MESSAGE_BEFORE_AMOUNT - 1);
  at = AppendBounded(out, outSize, at, amount, LengthBounded(amount, outSize));
  at = AppendBounded(out, outSize, at, MESSAGE_BEFORE_FEE, sizeof MESSAGE_BEFORE_FEE - 1);
  AppendBounded(out, outSize, at, fee, LengthBounded(fee, outSize));
}

bool ComputeFeeFromAmountText(const FeeSelection& selection, FeeResult* result, double* amount) {
  if (!IsSelectionInRange(selection)) return false;
  // A1-A4: the amount is written with two decimals and read back, so that
  // the fee is computed on the amount in cents the user sees.
  double typed = ReadAmount(AmountText);
  FeeSelection computed = selection;
  computed.Amount = 0;
  if (typed > 0 && typed < AMOUNT_LIMIT) {
    ScaledDecimal cents = RoundToDecimals(typed, 2);
    WriteScaledDecimal(cents, 2, AmountText, AMOUNT_TEXT_SIZE);
    computed.Amount = ScaledDecimalValue(cents, 2);  // the text read back
  } else {
    WriteZeroAmount(AmountText);
  }
  GroupThousands(AmountText, false);

  FeeResult fee = EvaluateFee(computed);
  // R1-R3: a zero amount shows a zero fee unless a rule charges without an
  // amount (the fixed fees).
  if (!(computed.Amount > 0) && !(fee.ComputedFee > 0)) {
    WriteZeroAmount(FeeText);
  } else {
    WriteDecimalForm(fee.LimitedFee, 2, FeeText, FEE_TEXT_SIZE);
    GroupThousands(FeeText, true);
  }
  WriteResultSentence(AmountText, FeeText, MessageText, MESSAGE_TEXT_SIZE);
  if (result != nullptr) *result = fee;
  if (amount != nullptr) *amount = computed.Amount;
  return true;
}

bool ComputeFeeTexts(const FeeSelection& selection, const char* fieldText) {
  if (!IsSelectionInRange(selection)) return false;
  ReadAmountText(fieldText);
  return ComputeFeeFromAmountText(selection);
}

}  // namespace tarivox
