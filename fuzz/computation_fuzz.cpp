// Arbitrary field texts and selections through the window-free computation.
// Invariants: every text as long as its length says, the amount text read
// again gives itself, the figures are the texts' cents, the fee is "0.00" or
// within 0.45 .. 5,400.00, the sentence is the format filled with the two
// texts, and plain amounts read from their digits give what the reader gives.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "fees/amount_text.h"
#include "fees/decimal_form.h"

namespace {

using namespace tarivox;

void Require(bool condition) {
  if (!condition) std::abort();
}

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
  Selection selection{static_cast<std::int8_t>(data[0]) % 3, static_cast<std::int8_t>(data[1]) % 7,
                      static_cast<std::int8_t>(data[2]) % 14, (data[3] & 1) != 0};
  std::string_view typed(reinterpret_cast<const char*>(data + 4), size - 4);

  const FeeComputation computation = ComputeFeeTexts(selection, typed);
  if (!computation.Computed) {
    Require(!IsSelectionInRange(selection));
    return 0;
  }
  const char* texts[] = {computation.Amount.Bytes, computation.Fee.Bytes, computation.Message.Bytes};
  const std::size_t lengths[] = {computation.Amount.Length, computation.Fee.Length, computation.Message.Length};
  for (int i = 0; i < 3; ++i) Require(std::strlen(texts[i]) == lengths[i]);

  long long fee = GroupedCents(computation.Fee.Bytes);
  Require(fee == computation.FeeCents && (fee == 0 || (fee >= 45 && fee <= 540000)));
  Require(GroupedCents(computation.Amount.Bytes) == computation.AmountCents);

  std::string expected = std::string(MESSAGE_BEFORE_AMOUNT) + computation.Amount.Bytes + MESSAGE_BEFORE_FEE +
                         computation.Fee.Bytes;
  Require(expected == computation.Message.Bytes);

  // The amount text read again (as pressing "Calcular pago" again does)
  // gives the same texts.
  const FeeComputation again = ComputeFeeTexts(selection, computation.Amount.View());
  Require(again.Amount.View() == computation.Amount.View());
  Require(again.Fee.View() == computation.Fee.View());

  // A blank in front takes the reader's way for any text (plain amounts
  // are read from their digits otherwise); both ways give the same texts.
  if (typed.size() < AMOUNT_FIELD_LIMIT) {
    const FeeComputation read = ComputeFeeTexts(selection, " " + std::string(typed));
    Require(read.Message.View() == computation.Message.View());
  }
  return 0;
}
