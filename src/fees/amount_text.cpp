#include "fees/amount_text.h"


#include "fees/amount_reader.h"
#include "fees/decimal_form.h"

namespace tarivox {

char AmountText[AMOUNT_TEXT_SIZE];
char FeeText[FEE_TEXT_SIZE];
char MessageText[MESSAGE_TEXT_SIZE];

namespace {

// Areas of the thousands grouping: the decimals keep at most 11 characters
// (".00" needs 3), the grouped integer part at most 19 (15 digits and 4
// separators, amounts below 10^15).
constexpr std::size_t kDecimalsAreaSize = 12;
constexpr std::size_t kGroupedAreaSize = 20;

// Copies source into target, at most targetSize - 1 characters, always
// terminated. Returns the characters copied.
std::size_t CopyBounded(char* target, std::size_t targetSize, const char* source) {
  std::size_t at = 0;
  while (source[at] != '\0' && at + 1 < targetSize) {
    target[at] = source[at];
    ++at;
  }
  target[at] = '\0';
  return at;
}

std::size_t LengthBounded(const char* text, std::size_t limit) {
  std::size_t length = 0;
  while (length < limit && text[length] != '\0') ++length;
  return length;
}

void WriteZeroAmount(char* target, std::size_t targetSize) { CopyBounded(target, targetSize, "0.00"); }

// Step 5 of the grouping: fills grouped with integer (length n) and a ","
// before every third character counted from the right.
void InsertSeparators(const char* integer, std::size_t n, char* grouped) {
  std::size_t separators = (n - 1) / 3;
  std::size_t read = n;  // one past the next character to copy
  int sinceSeparator = 0;
  for (std::size_t write = n + separators; write-- > 0;) {
    if (sinceSeparator > 0 && sinceSeparator % 3 == 0) {
      grouped[write] = ',';
      sinceSeparator = -1;
    } else {
      grouped[write] = integer[--read];
    }
    ++sinceSeparator;
  }
  grouped[n + separators] = '\0';
}

}  // namespace

void StripCommas(const char* text) {
  char work[AMOUNT_TEXT_SIZE];
  std::size_t length = LengthBounded(text, AMOUNT_TEXT_SIZE - 1);
  std::size_t kept = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] != ',') work[kept++] = text[i];
  }
  work[kept] = '\0';
  CopyBounded(AmountText, AMOUNT_TEXT_SIZE, work);
}

void GroupThousands(const char* text, bool toFee) {
  char* target = toFee ? FeeText : AmountText;
  std::size_t targetSize = toFee ? FEE_TEXT_SIZE : AMOUNT_TEXT_SIZE;
  char copy[AMOUNT_TEXT_SIZE];
  std::size_t length = CopyBounded(copy, sizeof copy, text);

  std::size_t point = length;
  for (std::size_t i = length; i-- > 0;) {
    if (copy[i] == '.') {
      point = i;
      break;
    }
  }
  std::size_t integerLength = point;
  std::size_t separators = integerLength == 0 ? 0 : (integerLength - 1) / 3;
  // A text without a point, or one whose parts overflow the grouping areas,
  // is not an amount the program can show.
  if (point == length || length - point >= kDecimalsAreaSize ||
      integerLength + separators >= kGroupedAreaSize) {
    WriteZeroAmount(target, targetSize);
    return;
  }
  if (integerLength <= 3) {
    CopyBounded(target, targetSize, copy);
    return;
  }
  char decimals[kDecimalsAreaSize];
  CopyBounded(decimals, sizeof decimals, copy + point);
  char grouped[kGroupedAreaSize];
  InsertSeparators(copy, integerLength, grouped);
  std::size_t at = CopyBounded(target, targetSize, grouped);
  CopyBounded(target + at, targetSize - at, decimals);
}

void ReadAmountText(const char* fieldText) {
  std::size_t length = LengthBounded(fieldText, AMOUNT_FIELD_LIMIT);
  if (length == 0) {
    CopyBounded(AmountText, AMOUNT_TEXT_SIZE, "0.0");
    return;
  }
  char raw[AMOUNT_TEXT_SIZE];
  for (std::size_t i = 0; i < length; ++i) raw[i] = fieldText[i];
  raw[length] = '\0';
  StripCommas(raw);
}

void WriteResultSentence(const char* amount, const char* fee, char* out, std::size_t outSize) {
  if (outSize == 0) return;
  const char* pieces[] = {MESSAGE_BEFORE_AMOUNT, amount, MESSAGE_BEFORE_FEE, fee};
  std::size_t at = 0;
  for (const char* piece : pieces) at += CopyBounded(out + at, outSize - at, piece);
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
    WriteZeroAmount(AmountText, AMOUNT_TEXT_SIZE);
  }
  GroupThousands(AmountText, false);

  FeeResult fee = EvaluateFee(computed);
  // R1-R3: a zero amount shows a zero fee unless a rule charges without an
  // amount (the fixed fees).
  if (!(computed.Amount > 0) && !(fee.ComputedFee > 0)) {
    WriteZeroAmount(FeeText, FEE_TEXT_SIZE);
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
