#include "fees/amount_text.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "fees/amount_reader.h"
#include "fees/decimal_form.h"

namespace tarivox {

char AmountText[AMOUNT_TEXT_SIZE];
char FeeText[FEE_TEXT_SIZE];
char MessageText[MESSAGE_TEXT_SIZE];

namespace {

using u64 = std::uint64_t;

// Cents below 10^15 are exact in a double, so one division by 100 gives the
// double nearest to the typed decimal; and a decimal of at most 15
// significant digits is exactly what that double, written with two
// decimals, gives back. Such amounts take their cents straight from the
// digits, with the very result of the reader's way.
constexpr int kPlainDigits = 15;
constexpr std::uint64_t kPlainCentsEnd = 1000000000000000;

// The cents of a plain typed amount, as clerks type them ("25,000",
// "9500.01", "150,000.00"): digits, commas anywhere (the window removes
// them), at most one point with at most two decimals, and cents of at most
// kPlainDigits digits. False for anything else, which takes the reader's
// way.
bool ReadPlainCents(std::string_view field, u64* cents) {
  u64 value = 0;
  int digits = 0;
  int decimals = -1;  // none seen: no point yet
  for (char c : field) {
    if (c == ',') continue;
    if (c == '.') {
      if (decimals >= 0) return false;
      decimals = 0;
      continue;
    }
    if (c < '0' || c > '9' || decimals == 2 || ++digits > kPlainDigits) return false;
    value = value * 10 + static_cast<u64>(c - '0');
    if (decimals >= 0) ++decimals;
  }
  // An empty field reads as "0.0"; commas alone leave a text with no number.
  if (digits == 0 && !field.empty()) return false;
  for (int scale = decimals < 0 ? 2 : 2 - decimals; scale > 0; --scale) value *= 10;
  *cents = value;
  return value < kPlainCentsEnd;
}

// The amount the window computes with: the typed number written with two
// decimals and read back, so that the fee is computed on the amount in cents
// the user sees. Unusable amounts (not positive, 10^15 and more, not
// finite) count as 0.
void ReadAmountCents(std::string_view field, FeeFigures* computation) {
  u64 cents = 0;
  if (ReadPlainCents(field, &cents)) {
    computation->TypedValue = static_cast<double>(cents) / 100;
    computation->AmountCents = static_cast<long long>(cents);
    computation->AmountValue = computation->TypedValue;
    return;
  }
  FixedText<AMOUNT_TEXT_SIZE> cleaned = CleanAmountText(field);
  double typed = ReadAmount(cleaned.Bytes, cleaned.Length);
  computation->TypedValue = typed;
  computation->AmountCents = 0;
  computation->AmountValue = 0;
  if (typed > 0 && typed < AMOUNT_LIMIT) {
    ScaledDecimal rounded = RoundToDecimals(typed, 2);
    computation->AmountCents = static_cast<long long>(rounded.Units);
    computation->AmountValue = ScaledDecimalValue(rounded, 2);  // the text read back
  }
}

// Appends length bytes of source at out[at], as many as fit before the
// terminator's place, and terminates; returns the new end.
std::size_t AppendBounded(char* out, std::size_t outSize, std::size_t at, const char* source, std::size_t length) {
  std::size_t taken = length < outSize - 1 - at ? length : outSize - 1 - at;
  std::memcpy(out + at, source, taken);
  out[at + taken] = '\0';
  return at + taken;
}

template <std::size_t Size>
void SetGroupedCents(FixedText<Size>* text, long long cents) {
  text->Length = WriteGroupedCents(static_cast<u64>(cents), text->Bytes, Size);
}

// "00" to "99": two digits written at once.
struct DigitPairs {
  char Of[100][2];
};

constexpr DigitPairs MakeDigitPairs() {
  DigitPairs pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs.Of[i][0] = static_cast<char>('0' + i / 10);
    pairs.Of[i][1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}

constexpr DigitPairs kDigitPairs = MakeDigitPairs();

// ",000" to ",999": a thousands group with the comma before it.
struct CommaGroups {
  char Of[1000][4];
};

constexpr CommaGroups MakeCommaGroups() {
  CommaGroups groups{};
  for (int i = 0; i < 1000; ++i) {
    groups.Of[i][0] = ',';
    groups.Of[i][1] = static_cast<char>('0' + i / 100);
    groups.Of[i][2] = static_cast<char>('0' + i / 10 % 10);
    groups.Of[i][3] = static_cast<char>('0' + i % 10);
  }
  return groups;
}

constexpr CommaGroups kCommaGroups = MakeCommaGroups();

// How many decimal digits n has, 1 for 0. The bit length gives the count or
// one less: floor(bits * log10(2)), 1233 / 4096 being log10(2) closely
// enough for 64 bits. (n | 1 counts 0 as 1; for the rest it changes no
// comparison with a power of ten.)
std::size_t DecimalDigitCount(u64 n) {
  n |= 1;
  const auto guess = static_cast<std::size_t>((std::bit_width(n) * 1233) >> 12);
  return guess + (n >= POWERS_OF_TEN.Of[guess] ? 1 : 0);
}

// Room for the grouped text of any 64-bit cents (26 bytes at most,
// "184,467,440,737,095,516.15") and its terminator, rounded up to a size
// that copies in whole moves.
constexpr std::size_t kGroupedRoom = 32;
constexpr std::size_t kLongestGrouped = 26;
// The last copy of WriteFeeLine starts after the amount twice, the fee once,
// two tabs and the sentence's two fixed texts, and takes kGroupedRoom bytes.
static_assert(3 * kLongestGrouped + 2 + (sizeof MESSAGE_BEFORE_AMOUNT - 1) + (sizeof MESSAGE_BEFORE_FEE - 1) +
                      kGroupedRoom <= FEE_LINE_CAPACITY,
              "a line's fixed-size copies would pass its capacity");

// Copies a grouped text of kGroupedRoom bytes to at; returns the end of its
// `length` bytes.
char* PutGrouped(char* at, const char (&grouped)[kGroupedRoom], std::size_t length) {
  std::memcpy(at, grouped, kGroupedRoom);
  return at + length;
}

void WriteSentence(FeeComputation* computation) {
  FixedText<MESSAGE_TEXT_SIZE>& message = computation->Message;
  std::size_t at = AppendBounded(message.Bytes, MESSAGE_TEXT_SIZE, 0, MESSAGE_BEFORE_AMOUNT,
                                 sizeof MESSAGE_BEFORE_AMOUNT - 1);
  at = AppendBounded(message.Bytes, MESSAGE_TEXT_SIZE, at, computation->Amount.Bytes, computation->Amount.Length);
  at = AppendBounded(message.Bytes, MESSAGE_TEXT_SIZE, at, MESSAGE_BEFORE_FEE, sizeof MESSAGE_BEFORE_FEE - 1);
  message.Length =
      AppendBounded(message.Bytes, MESSAGE_TEXT_SIZE, at, computation->Fee.Bytes, computation->Fee.Length);
}

}  // namespace

std::size_t WriteGroupedCents(unsigned long long cents, char* out, std::size_t outSize) {
  u64 whole = cents / 100;
  const std::size_t digits = DecimalDigitCount(whole);
  // The integer digits with a comma before every third one counted
  // leftwards, the point and two decimals.
  const std::size_t length = digits + (digits - 1) / 3 + 3;
  if (outSize > 0) out[0] = '\0';
  if (length + 1 > outSize) return 0;
  // Filled from the right, straight into out, a group at a time.
  char* at = out + length;
  *at = '\0';
  at -= 2;
  std::memcpy(at, kDigitPairs.Of[cents % 100], 2);
  *--at = '.';
  for (; whole >= 1000; whole /= 1000) {
    at -= 4;
    std::memcpy(at, kCommaGroups.Of[whole % 1000], 4);
  }
  // The leading group: one to three digits.
  const auto lead = static_cast<unsigned>(whole);
  if (lead >= 100) {
    std::memcpy(at - 3, kCommaGroups.Of[lead] + 1, 3);
  } else if (lead >= 10) {
    std::memcpy(at - 2, kDigitPairs.Of[lead], 2);
  } else {
    at[-1] = static_cast<char>('0' + lead);
  }
  return length;
}

FixedText<AMOUNT_TEXT_SIZE> CleanAmountText(std::string_view typed) {
  FixedText<AMOUNT_TEXT_SIZE> cleaned;
  std::string_view field = typed.substr(0, AMOUNT_FIELD_LIMIT);
  if (field.empty()) field = "0.0";
  // The runs between commas move whole: a long typed text has few commas.
  std::size_t kept = 0;
  while (!field.empty()) {
    std::size_t comma = field.find(',');
    std::size_t run = comma == std::string_view::npos ? field.size() : comma;
    std::memcpy(cleaned.Bytes + kept, field.data(), run);
    kept += run;
    field.remove_prefix(comma == std::string_view::npos ? run : run + 1);
  }
  cleaned.Bytes[kept] = '\0';
  cleaned.Length = kept;
  return cleaned;
}

FeeFigures ComputeFeeFigures(const Selection& selection, std::string_view typed) {
  FeeFigures figures;
  figures.Computed = IsSelectionInRange(selection);
  if (!figures.Computed) return figures;
  ReadAmountCents(typed.substr(0, AMOUNT_FIELD_LIMIT), &figures);
  figures.Result = EvaluateFeeTraced({selection, figures.AmountValue}, &figures.Trace);
  // A zero amount shows a zero fee unless a rule charges without an amount
  // (the fixed fees).
  figures.FeeCents = 0;
  if (figures.AmountValue > 0 || figures.Result.ComputedFee > 0) {
    figures.FeeCents = static_cast<long long>(RoundToDecimals(figures.Result.LimitedFee, 2).Units);
  }
  return figures;
}

FeeComputation ComputeFeeTexts(const Selection& selection, std::string_view typed) {
  FeeComputation computation;
  static_cast<FeeFigures&>(computation) = ComputeFeeFigures(selection, typed);
  if (!computation.Computed) return computation;
  SetGroupedCents(&computation.Amount, computation.AmountCents);
  SetGroupedCents(&computation.Fee, computation.FeeCents);
  WriteSentence(&computation);
  return computation;
}

std::size_t WriteFeeLine(const FeeFigures& figures, char* out) {
  // Each grouped text is written once and copied twice, kGroupedRoom bytes
  // at a time: a copy of fixed size is a few moves, and what it brings past
  // the text's end the next piece overwrites.
  char amount[kGroupedRoom];
  char fee[kGroupedRoom];
  const std::size_t amountLength = WriteGroupedCents(static_cast<u64>(figures.AmountCents), amount, kGroupedRoom);
  const std::size_t feeLength = WriteGroupedCents(static_cast<u64>(figures.FeeCents), fee, kGroupedRoom);
  char* at = PutGrouped(out, amount, amountLength);
  *at++ = '\t';
  at = PutGrouped(at, fee, feeLength);
  *at++ = '\t';
  std::memcpy(at, MESSAGE_BEFORE_AMOUNT, sizeof MESSAGE_BEFORE_AMOUNT - 1);
  at = PutGrouped(at + sizeof MESSAGE_BEFORE_AMOUNT - 1, amount, amountLength);
  std::memcpy(at, MESSAGE_BEFORE_FEE, sizeof MESSAGE_BEFORE_FEE - 1);
  at = PutGrouped(at + sizeof MESSAGE_BEFORE_FEE - 1, fee, feeLength);
  *at++ = '\n';
  return static_cast<std::size_t>(at - out);
}

void ReadAmountText(const char* fieldText) {
  std::size_t length = 0;
  while (length < AMOUNT_FIELD_LIMIT && fieldText[length] != '\0') ++length;
  FixedText<AMOUNT_TEXT_SIZE> cleaned = CleanAmountText({fieldText, length});
  std::memcpy(AmountText, cleaned.Bytes, cleaned.Length + 1);
}

}  // namespace tarivox
