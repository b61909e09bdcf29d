#include "report/compare.h"

#include "catalogue/catalogue.h"
#include "report/text.h"

namespace tarivox::report {
namespace {

// Social interest exists only at MVT, so these three variants mean something.
constexpr Selection kVariants[] = {{0, 0, 0, false}, {1, 0, 0, false}, {1, 0, 0, true}};

// The same catalogue transaction, as positioned in another office's list.
bool PositionAt(const Selection& reference, int office, int* transaction) {
  Selection there = reference;
  there.OfficeIndex = office;
  int entry = reference.TransactionIndex + FirstLoadedTransaction(reference);
  *transaction = entry - FirstLoadedTransaction(there);
  return *transaction >= 0 && *transaction < LoadedTransactions(there).Count;
}

bool AddVariant(Comparison* comparison, const Selection& key, std::string* reason) {
  Variant variant;
  Act& act = variant.Figures;
  act.What = {key.OfficeIndex, comparison->Reference.ServiceIndex, 0, key.SocialInterest};
  act.Typed = comparison->Typed;
  act.HasAmount = true;
  variant.Offered = PositionAt(comparison->Reference, key.OfficeIndex, &act.What.TransactionIndex);
  if (variant.Offered) {
    if (!ComputeAct(&act, reason)) return false;
    act.Note = NoteFor(&comparison->Notes, act.What);
  }
  comparison->Variants.push_back(std::move(variant));
  return true;
}

}  // namespace

bool BuildComparison(const Selection& reference, std::string_view typed, Comparison* comparison, std::string* reason) {
  comparison->Reference = reference;
  comparison->Typed = AsUtf8(typed);
  if (!AddVariant(comparison, reference, reason)) return false;
  for (const Selection& key : kVariants) {
    if ((key.OfficeIndex != reference.OfficeIndex || key.SocialInterest != reference.SocialInterest) && !AddVariant(comparison, key, reason)) {
      return false;
    }
  }
  const Act& first = comparison->Variants.front().Figures;
  for (Variant& variant : comparison->Variants) {
    variant.HasDifference = first.Computed && variant.Figures.Computed;
    if (variant.HasDifference) variant.DifferenceCents = variant.Figures.FeeCents - first.FeeCents;
  }
  return true;
}

std::string VariantName(const Variant& variant) {
  return OfficeName(variant.Figures.What.OfficeIndex) + " " + ProjectName(variant.Figures.What.SocialInterest);
}

std::string VariantRule(const Variant& variant) {
  return variant.Offered ? RuleText(variant.Figures) : "not offered at this office";
}

}  // namespace tarivox::report
