// One act under every variant the calculator offers: both offices, and the
// social-interest project where the office and the service have it, each
// with its difference from the first column.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/quote.h"

namespace tarivox::report {

struct Variant {
  // False when the act does not exist there: the transaction is not in this
  // office's list ("Literales" is not offered at MVT), or the service has no
  // social-interest project. Then only Figures.What's office and project
  // kind mean anything.
  bool Offered = true;
  Act Figures;
  bool HasDifference = false;  // this column and the first are both priced
  long long DifferenceCents = 0;
};

struct Comparison {
  Language Lang = Language::Spanish;
  Selection Reference{};
  bool HasTyped = false;
  std::string Typed;  // the amount or the quantity, UTF-8
  std::vector<Variant> Variants;  // the reference first
  TariffNotes Notes;
};

// The reference selection (office and project as given) first, then the
// others of KLDA normal, MVT normal and MVT social interest, each priced
// from typed (when hasTyped) as an act would be. False, with the reason,
// when the reference or the value is refused.
bool BuildComparison(Language language, const Selection& reference, bool hasTyped, std::string_view typed,
                     Comparison* comparison, std::string* reason);

// "KLDA normal", "MVT interés social".
std::string VariantName(Language language, const Variant& variant);
// The same in codes that do not change with the language, for programs:
// "KLDA normal", "MVT social".
std::string VariantCode(const Variant& variant);

// The rule of the variant's fee, or why it has none.
std::string VariantRule(Language language, const Variant& variant);

}  // namespace tarivox::report
