#include "report/compare.h"

#include "catalogue/catalogue.h"
#include "report/text.h"

namespace tarivox::report {
namespace {


// Every office with a normal project, and each that offers the
// social-interest project with one too: the variants a comparison shows.
std::vector<Selection> VariantKeys() {
  std::vector<Selection> keys;
  for (int office = 0; office < OFFICE_COUNT; ++office) {
    keys.push_back({office, 0, 0, false});
    if (OfficeOffersSocialInterest(office)) keys.push_back({office, 0, 0, true});
  }
  return keys;
}

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
  act.HasTyped = comparison->HasTyped;
  act.Typed = comparison->Typed;
  std::string notOffered;
  variant.Offered = PositionAt(comparison->Reference, key.OfficeIndex, &act.What.TransactionIndex) &&
                    CheckProjectKind(comparison->Lang, act.What, &notOffered);
  if (variant.Offered) {
    if (!PriceAct(comparison->Lang, &act, reason)) return false;
    act.Note = NoteFor(&comparison->Notes, act.What);
  }
  comparison->Variants.push_back(std::move(variant));
  return true;
}

}  // namespace

bool BuildComparison(Language language, const Selection& reference, bool hasTyped, std::string_view typed,
                     Comparison* comparison, std::string* reason) {
  comparison->Lang = language;
  comparison->Reference = reference;
  comparison->HasTyped = hasTyped;
  // Blanks around the amount are trimmed, as around a quote's: one rule.
  comparison->Typed = AsUtf8(Trim(typed));
  Act asked;
  asked.What = reference;
  asked.HasTyped = hasTyped;
  if (!CheckProjectKind(language, reference, reason) || !CheckActValue(language, asked, reason) ||
      !AddVariant(comparison, reference, reason)) {
    return false;
  }
  for (const Selection& key : VariantKeys()) {
    bool isReference = key.OfficeIndex == reference.OfficeIndex && key.SocialInterest == reference.SocialInterest;
    if (!isReference && !AddVariant(comparison, key, reason)) return false;
  }
  const Variant& first = comparison->Variants.front();
  for (Variant& variant : comparison->Variants) {
    variant.HasDifference = first.Offered && variant.Offered;
    if (variant.HasDifference) variant.DifferenceCents = variant.Figures.FeeCents - first.Figures.FeeCents;
  }
  return true;
}

std::string VariantName(Language language, const Variant& variant) {
  return Text(language, MSG_VARIANT, OfficeName(variant.Figures.What.OfficeIndex), ProjectName(language, variant.Figures.What.SocialInterest));
}

std::string VariantCode(const Variant& variant) {
  return OfficeName(variant.Figures.What.OfficeIndex) + (variant.Figures.What.SocialInterest ? " social" : " normal");
}

std::string VariantRule(Language language, const Variant& variant) {
  if (variant.Offered) return RuleText(language, variant.Figures);
  const Selection& what = variant.Figures.What;
  bool serviceHasNoProject = what.SocialInterest && !ProjectKindOffered({what.OfficeIndex, what.ServiceIndex, 0, true});
  return Text(language, serviceHasNoProject ? MSG_NO_SOCIAL_PROJECT : MSG_NOT_OFFERED_HERE);
}

}  // namespace tarivox::report
