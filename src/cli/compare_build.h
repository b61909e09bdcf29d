// One act under every variant the calculator offers: both offices, and the
// social-interest project at the office that has it, each with its
// difference from the first column.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_common.h"
#include "cli/quote_act.h"
#include "cli/quote_build.h"

namespace tarivox::cli {

struct CompareVariant {
  int Office = 0;
  bool Social = false;
  // False when the transaction is not in this office's list ("Literales"
  // is not offered at MVT).
  bool Offered = true;
  int Transaction = 0;  // position as loaded at this office
  ActFigures Figures;
  bool HasDifference = false;  // both this and the first column computed
  long long DifferenceCents = 0;
  int Note = 0;  // 1-based in Comparison::Notes, 0 when not offered
};

struct Comparison {
  std::string Service;
  std::string Transaction;
  std::string TypedAmount;
  std::vector<CompareVariant> Variants;  // the reference selection first
  std::vector<QuoteNote> Notes;
};

// The variants, in the order they are shown: the reference (office and
// project as given) first, then the others of KLDA normal, MVT normal and
// MVT social interest. False, with the reason, when the amount is refused.
bool BuildComparison(const CalcOptions& reference, std::string_view typedAmount,
                     Comparison* comparison, std::string* reason);

// "KLDA normal", "MVT social interest".
std::string VariantName(const CompareVariant& variant);

}  // namespace tarivox::cli
