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

// A plain typed amount, as clerks type them ("25,000", "9500.01",
// "1,234.125"): digits, commas anywhere (the window removes them) and at
// most one point, with at most kPlainDigits digits in all. Such a decimal
// is an integer below 10^15 over a power of ten, both exact in a double, so
// one division gives the double nearest to it, the very result of the
// reader's way; with at most two decimals, its cents come straight from
// the digits.
constexpr int kPlainDigits = 15;
constexpr std::uint64_t kPlainCentsEnd = 1000000000000000;

struct PlainDecimal {
  u64 Digits;    // every digit typed, as one integer
  int Decimals;  // how many of them follow the point
};

// A plain amount as people write it is short: the longest grouped one with
// cents, "999,999,999,999,999.99", has 22 characters. A longer text takes
// the reader's way whatever it holds, which gives the same, and the long
// digit strings that reach the reader are not read twice.
constexpr std::size_t kPlainLongest = 24;

// False for anything but a plain amount, which takes the reader's way.
bool ReadPlainDecimal(std::string_view field, PlainDecimal* plain) {
  if (field.size() > kPlainLongest) return false;
  const char* at = field.data();
  const char* const end = at + field.size();
  u64 value = 0;
  int digits = 0;
  // The dollars, up to the point: a digit is the usual character, tested
  // first.
  for (; at != end; ++at) {
    const unsigned digit = static_cast<unsigned char>(*at) - unsigned{'0'};
    if (digit <= 9) {
      if (++digits > kPlainDigits) return false;
      value = value * 10 + digit;
    } else if (*at != ',') {
      break;
    }
  }
  int decimals = 0;
  if (at != end && *at == '.') {
    for (++at; at != end; ++at) {
      const unsigned digit = static_cast<unsigned char>(*at) - unsigned{'0'};
      if (digit <= 9) {
        if (++digits > kPlainDigits) return false;
        value = value * 10 + digit;
        ++decimals;
      } else if (*at != ',') {
        return false;
      }
    }
  }
  // An empty field reads as "0.0"; commas alone leave a text with no number.
  if (at != end || (digits == 0 && !field.empty())) return false;
  *plain = {value, decimals};
  return true;
}

// The cents of a plain amount of at most two decimals, false from 10^15
// cents on.
bool PlainCents(const PlainDecimal& plain, u64* cents) {
  if (plain.Decimals > 2) return false;
  *cents = plain.Digits * (plain.Decimals == 0 ? 100 : (plain.Decimals == 1 ? 10 : 1));
  return *cents < kPlainCentsEnd;
}

// Cents of a figure rounded as every figure is: both stages at once where
// they can be, else the general way (which would come to the same).
u64 CentsOf(double value) {
  unsigned long long cents = 0;
  return TwoStageCents(value, &cents) ? cents : RoundToDecimals(value, 2).Units;
}

// The amount the window computes with: the typed number written with two
// decimals and read back, so that the fee is computed on the amount in cents
// the user sees. Unusable amounts (not positive, 10^15 and more, not
// finite) count as 0.
void ReadAmountCents(std::string_view field, FeeFigures* computation) {
  static constexpr double kExactPowersOfTen[kPlainDigits + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                                 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  PlainDecimal plain{};
  u64 cents = 0;
  const bool isPlain = ReadPlainDecimal(field, &plain);
  if (isPlain && PlainCents(plain, &cents)) {
    computation->TypedValue = static_cast<double>(cents) / 100;
    computation->AmountCents = static_cast<long long>(cents);
    computation->AmountValue = computation->TypedValue;
    return;
  }
  double typed = 0;
  if (isPlain) {
    typed = static_cast<double>(plain.Digits) / kExactPowersOfTen[plain.Decimals];
  } else if (std::memchr(field.data(), ',', field.size()) == nullptr) {
    typed = ReadAmount(field.data(), field.size());  // no comma to remove: read where it stands
  } else {
    FixedText<AMOUNT_TEXT_SIZE> cleaned = CleanAmountText(field);
    typed = ReadAmount(cleaned.Bytes, cleaned.Length);
  }
  computation->TypedValue = typed;
  computation->AmountCents = 0;
  computation->AmountValue = 0;
  if (typed > 0 && typed < AMOUNT_LIMIT) {
    // Below 10^15 the rounded amount is all in its cents: no trailing zeros.
    const ScaledDecimal rounded = {CentsOf(typed), 0};
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

// "00" to "99": two digits written at once; ".00" to ".99", the point and
// the cents.
struct DigitPairs {
  char Of[100][2];
  char WithPoint[100][3];
};

constexpr DigitPairs MakeDigitPairs() {
  DigitPairs pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs.Of[i][0] = pairs.WithPoint[i][1] = static_cast<char>('0' + i / 10);
    pairs.Of[i][1] = pairs.WithPoint[i][2] = static_cast<char>('0' + i % 10);
    pairs.WithPoint[i][0] = '.';
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

// The length of the grouped text of cents with `digits` digits ("0.05"
// counts as three): the integer digits, a comma before every third one
// counted leftwards, the point and two decimals.
constexpr std::size_t GroupedLengthOfDigits(int digits) {
  const int whole = digits > 3 ? digits - 2 : 1;
  return static_cast<std::size_t>(whole + (whole - 1) / 3 + 3);
}

// The grouped length by the cents' bit length. Cents of one bit length have
// one number of digits or the next, the power of ten between them at most
// once in the range: one look-up and one comparison give the length, with
// no division on the way from the cents to the line's layout.
struct LengthsByBits {
  struct Entry {
    u64 NextPower;      // the cents from here on have one digit more
    std::size_t Below;  // the length below NextPower
    std::size_t From;   // from it
  } Of[65];
};

constexpr LengthsByBits MakeLengthsByBits() {
  LengthsByBits lengths{};
  for (int bits = 0; bits <= 64; ++bits) {
    const u64 lowest = bits == 0 ? 0 : u64{1} << (bits - 1);
    int digits = 1;
    while (digits < 20 && lowest >= POWERS_OF_TEN.Of[digits]) ++digits;
    lengths.Of[bits] = {POWERS_OF_TEN.Of[digits < 20 ? digits : 19], GroupedLengthOfDigits(digits),
                        GroupedLengthOfDigits(digits + 1)};
  }
  return lengths;
}

constexpr LengthsByBits kLengthsByBits = MakeLengthsByBits();

// Cents split for their grouped two-decimal text, and its length.
struct GroupedCents {
  u64 Whole;
  unsigned Cents;
  std::size_t Length;
};

GroupedCents SplitCents(u64 cents) {
  const LengthsByBits::Entry& lengths = kLengthsByBits.Of[std::bit_width(cents)];
  return {cents / 100, static_cast<unsigned>(cents % 100), cents >= lengths.NextPower ? lengths.From : lengths.Below};
}

// Where a grouped text ends, in each place it is written. A text needed
// twice is written twice as it is made: copying bytes just written in small
// pieces with a wider move would wait for them.
template <std::size_t Places>
struct TextEnds {
  char* At[Places];
};

template <std::size_t Places>
void PutBefore(TextEnds<Places>* ends, const char* bytes, std::size_t length) {
  for (char*& at : ends->At) {
    at -= length;
    std::memcpy(at, bytes, length);
  }
}

// Writes the grouped text (its Length bytes) backwards from each end, a
// thousands group with its comma at a time.
template <std::size_t Places>
void FillGrouped(const GroupedCents& split, TextEnds<Places> ends) {
  u64 whole = split.Whole;
  PutBefore(&ends, kDigitPairs.WithPoint[split.Cents], 3);
  for (; whole >= 1000; whole /= 1000) PutBefore(&ends, kCommaGroups.Of[whole % 1000], 4);
  // The leading group: one to three digits.
  const auto lead = static_cast<unsigned>(whole);
  if (lead >= 100) {
    PutBefore(&ends, kCommaGroups.Of[lead] + 1, 3);
  } else if (lead >= 10) {
    PutBefore(&ends, kDigitPairs.Of[lead], 2);
  } else {
    PutBefore(&ends, kDigitPairs.Of[lead] + 1, 1);
  }
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
  const GroupedCents split = SplitCents(cents);
  if (outSize > 0) out[0] = '\0';
  if (split.Length + 1 > outSize) return 0;
  out[split.Length] = '\0';
  FillGrouped(split, TextEnds<1>{{out + split.Length}});
  return split.Length;
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

FeeFigures ComputeFeeFigures(const Edition& edition, const Selection& selection, std::string_view typed) {
  return ComputeFeeFigures(edition, RuleOf(edition, selection), selection, typed);
}

FeeFigures ComputeFeeFigures(const Edition& edition, const SelectionRule& rule, const Selection& selection,
                             std::string_view typed) {
  FeeFigures figures;
  figures.Computed = rule.InRange;
  if (!figures.Computed) return figures;
  ReadAmountCents(typed.substr(0, AMOUNT_FIELD_LIMIT), &figures);
  figures.Result =
      EvaluateFeeTraced(edition, rule, {selection, figures.AmountValue, figures.AmountCents}, &figures.Trace);
  // A zero amount shows a zero fee unless a rule charges without an amount
  // (the fixed fees).
  figures.FeeCents = 0;
  if (figures.AmountValue > 0 || figures.Result.ComputedFee > 0) {
    figures.FeeCents = static_cast<long long>(CentsOf(figures.Result.LimitedFee));
  }
  return figures;
}

FeeComputation ComputeFeeTexts(const Edition& edition, const Selection& selection, std::string_view typed) {
  FeeComputation computation;
  static_cast<FeeFigures&>(computation) = ComputeFeeFigures(edition, selection, typed);
  if (!computation.Computed) return computation;
  SetGroupedCents(&computation.Amount, computation.AmountCents);
  SetGroupedCents(&computation.Fee, computation.FeeCents);
  WriteSentence(&computation);
  return computation;
}

FeeFigures ComputeFeeFigures(const Selection& selection, std::string_view typed) {
  return ComputeFeeFigures(BuiltInEdition(), selection, typed);
}

FeeComputation ComputeFeeTexts(const Selection& selection, std::string_view typed) {
  return ComputeFeeTexts(BuiltInEdition(), selection, typed);
}

long long ReadFieldCents(std::string_view typed) {
  FeeFigures figures{};
  ReadAmountCents(typed.substr(0, AMOUNT_FIELD_LIMIT), &figures);
  return figures.AmountCents;
}

std::size_t WriteFeeLine(const FeeFigures& figures, char* out) {
  // The lengths first, so that every piece has its place: each grouped
  // text is then made once and written in its two places at once.
  const GroupedCents amount = SplitCents(static_cast<u64>(figures.AmountCents));
  const GroupedCents fee = SplitCents(static_cast<u64>(figures.FeeCents));
  char* amountEnd = out + amount.Length;
  char* feeEnd = amountEnd + 1 + fee.Length;
  char* sentence = feeEnd + 1;
  char* amountAgainEnd = sentence + (sizeof MESSAGE_BEFORE_AMOUNT - 1) + amount.Length;
  char* feeAgainEnd = amountAgainEnd + (sizeof MESSAGE_BEFORE_FEE - 1) + fee.Length;
  *amountEnd = '\t';
  *feeEnd = '\t';
  std::memcpy(sentence, MESSAGE_BEFORE_AMOUNT, sizeof MESSAGE_BEFORE_AMOUNT - 1);
  std::memcpy(amountAgainEnd, MESSAGE_BEFORE_FEE, sizeof MESSAGE_BEFORE_FEE - 1);
  *feeAgainEnd = '\n';
  FillGrouped(amount, TextEnds<2>{{amountEnd, amountAgainEnd}});
  FillGrouped(fee, TextEnds<2>{{feeEnd, feeAgainEnd}});
  return static_cast<std::size_t>(feeAgainEnd + 1 - out);
}

void ReadAmountText(const char* fieldText) {
  std::size_t length = 0;
  while (length < AMOUNT_FIELD_LIMIT && fieldText[length] != '\0') ++length;
  FixedText<AMOUNT_TEXT_SIZE> cleaned = CleanAmountText({fieldText, length});
  std::memcpy(AmountText, cleaned.Bytes, cleaned.Length + 1);
}

}  // namespace tarivox
