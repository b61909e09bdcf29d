// Arbitrary field texts and selections through the window-free computation.
// Invariants: every text terminated within its buffer, the amount text read
// again gives itself, the fee is "0.00" or within 0.45 .. 5,400.00, and the
// sentence is the format filled with the two texts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fees/amount_text.h"
#include "fees/decimal_form.h"

namespace {

using namespace tarivox;

void Require(bool condition) {
  if (!condition) std::abort();
}

bool Terminated(const char* buffer, std::size_t size) { return std::memchr(buffer, '\0', size) != nullptr; }

// Cents of a grouped two-decimal text ("5,400.00" -> 540000); -1 if the
// text is not one.
long long GroupedCents(const char* text) {
  long long cents = 0;
  int decimals = -1;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c == ',') continue;
    if (*c == '.') {
      if (decimals >= 0) return -1;
      decimals = 0;
      continue;
    }
    if (*c < '0' || *c > '9') return -1;
    if (decimals >= 0) ++decimals;
    cents = cents * 10 + (*c - '0');
    if (cents > 1000000000000000000LL / 10) return -1;
  }
  return decimals == 2 ? cents : -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  FeeSelection selection{static_cast<std::int8_t>(data[0]) % 3, static_cast<std::int8_t>(data[1]) % 7,
                         static_cast<std::int8_t>(data[2]) % 14, (data[3] & 1) != 0, 0};
  char field[512];
  std::size_t length = size - 4 < sizeof field - 1 ? size - 4 : sizeof field - 1;
  std::memcpy(field, data + 4, length);
  field[length] = '\0';

  if (!ComputeFeeTexts(selection, field)) {
    Require(!IsSelectionInRange(selection));
    return 0;
  }
  Require(Terminated(AmountText, AMOUNT_TEXT_SIZE));
  Require(Terminated(FeeText, FEE_TEXT_SIZE));
  Require(Terminated(MessageText, MESSAGE_TEXT_SIZE));

  long long fee = GroupedCents(FeeText);
  Require(fee == 0 || (fee >= 45 && fee <= 540000));
  Require(GroupedCents(AmountText) >= 0);

  char expected[MESSAGE_TEXT_SIZE];
  WriteResultSentence(AmountText, FeeText, expected, sizeof expected);
  Require(std::strcmp(expected, MessageText) == 0);
  Require(std::strncmp(MessageText, "Para un monto de: US$ ", 22) == 0);

  // The amount text read again (as pressing "Calcular pago" again does)
  // gives the same texts.
  char amount[AMOUNT_TEXT_SIZE], feeText[FEE_TEXT_SIZE];
  std::strcpy(amount, AmountText);
  std::strcpy(feeText, FeeText);
  Require(ComputeFeeTexts(selection, amount));
  Require(std::strcmp(amount, AmountText) == 0);
  Require(std::strcmp(feeText, FeeText) == 0);
  return 0;
}
