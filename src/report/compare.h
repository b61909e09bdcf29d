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
  // social-interest project; or when it has no fee without what the
  // comparison was not given (a project's value), which Unpriced says.
  // Then only Figures.What's office and project kind mean anything.
  bool Offered = true;
  std::string Unpriced;
  Act Figures;
  bool HasDifference = false;  // this column and the first are both priced
  long long DifferenceCents = 0;
};

struct Comparison {
  Language Lang = Language::Spanish;
  const Edition* Tariff = &BuiltInEdition();
  Selection Reference{};
  bool HasTyped = false;
  std::string Typed;  // the amount or the quantity, UTF-8
  bool HasProjectValue = false;
  std::string ProjectValueTyped;
  std::vector<Variant> Variants;  // the reference first
  TariffNotes Notes;
};

// The reference act (office and project as asked) first, then every other
// office with a normal project and, where the office offers it, a
// social-interest one, each priced from the same value as an act would be.
// A project's value, when given, prices the columns whose fee takes a share
// by it. False, with the reason, when the reference act is refused.
bool BuildComparison(Language language, const Edition& edition, const ActRequest& reference, Comparison* comparison,
                     std::string* reason);

// "KLDA normal", "MVT interés social".
std::string VariantName(Language language, const Variant& variant);
// The same in codes that do not change with the language, for programs:
// "KLDA normal", "MVT social".
std::string VariantCode(const Variant& variant);

// The rule of the variant's fee, or why it has none.
std::string VariantRule(Language language, const Variant& variant);

}  // namespace tarivox::report
