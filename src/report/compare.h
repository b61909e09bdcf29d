// One act under every variant the calculator offers: both offices, and the
// social-interest project at the office that has it, each with its
// difference from the first column.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/quote.h"

namespace tarivox::report {

struct Variant {
  // False when the transaction is not in this office's list ("Literales" is
  // not offered at MVT); then only What.OfficeIndex and What.SocialInterest mean anything.
  bool Offered = true;
  Act Figures;
  bool HasDifference = false;  // this column and the first are both computed
  long long DifferenceCents = 0;
};

struct Comparison {
  Selection Reference{};
  std::string Typed;  // UTF-8
  std::vector<Variant> Variants;  // the reference first
  TariffNotes Notes;
};

// The reference selection (office and project as given) first, then the
// others of KLDA normal, MVT normal and MVT social interest. False, with the
// reason, when the amount is refused.
bool BuildComparison(const Selection& reference, std::string_view typed, Comparison* comparison, std::string* reason);

// "KLDA normal", "MVT social interest".
std::string VariantName(const Variant& variant);

// The rule of the variant's fee, or why it has none.
std::string VariantRule(const Variant& variant);

}  // namespace tarivox::report
