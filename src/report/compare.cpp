#include "report/compare.h"

#include "report/text.h"

namespace tarivox::report {
namespace {

// Every office with a normal project, and each that offers the
// social-interest project with one too: the variants a comparison shows.
std::vector<Selection> VariantKeys(const Edition& edition) {
  std::vector<Selection> keys;
  for (int office = 0; office < edition.OfficeCount; ++office) {
    keys.push_back({office, 0, 0, false});
    if (OfficeOffersSocialInterest(edition, office)) keys.push_back({office, 0, 0, true});
  }
  return keys;
}

// The same transaction of the edition, as positioned in another office's
// list.
bool PositionAt(const Edition& edition, const Selection& reference, int office, int* transaction) {
  const TransactionEntry* entry = LoadedEntry(edition, reference);
  Selection there = reference;
  there.OfficeIndex = office;
  for (there.TransactionIndex = 0; there.TransactionIndex < LoadedCount(edition, there); ++there.TransactionIndex) {
    if (LoadedEntry(edition, there) != entry) continue;
    *transaction = there.TransactionIndex;
    return true;
  }
  return false;
}

// A column: the reference must be priced; another column without a fee only
// for want of the project's value says so instead.
bool AddVariant(Comparison* comparison, const Selection& key, bool reference, std::string* reason) {
  const Edition& edition = *comparison->Tariff;
  Variant variant;
  Act& act = variant.Figures;
  act.Tariff = &edition;
  act.What = {key.OfficeIndex, comparison->Reference.ServiceIndex, 0, key.SocialInterest};
  act.HasTyped = comparison->HasTyped;
  act.Typed = comparison->Typed;
  std::string notOffered;
  variant.Offered = PositionAt(edition, comparison->Reference, key.OfficeIndex, &act.What.TransactionIndex) &&
                    CheckProjectKind(comparison->Lang, edition, act.What, &notOffered);
  if (variant.Offered) {
    act.HasProjectValue = comparison->HasProjectValue && SocialShareApplies(edition, act.What);
    act.ProjectValueTyped = comparison->ProjectValueTyped;
    std::string why;
    const bool priced = CheckActValue(comparison->Lang, act, &why) && PriceAct(comparison->Lang, &act, &why);
    if (!priced && (reference || act.HasProjectValue || !SocialShareApplies(edition, act.What))) {
      *reason = why;
      return false;
    }
    variant.Offered = priced;
    variant.Unpriced = priced ? "" : why;
    if (priced) act.Note = NoteFor(&comparison->Notes, act.What);
  }
  comparison->Variants.push_back(std::move(variant));
  return true;
}

}  // namespace

bool BuildComparison(Language language, const Edition& edition, const ActRequest& asked, Comparison* comparison,
                     std::string* reason) {
  const Selection& reference = asked.What;
  comparison->Lang = language;
  comparison->Tariff = &edition;
  comparison->Notes = TariffNotes(&edition);
  comparison->Reference = reference;
  comparison->HasTyped = asked.HasValue;
  // Blanks around the values are trimmed, as around a quote's: one rule.
  comparison->Typed = AsUtf8(Trim(asked.Value));
  comparison->HasProjectValue = asked.HasProjectValue;
  comparison->ProjectValueTyped = AsUtf8(Trim(asked.ProjectValue));
  if (!CheckProjectKind(language, edition, reference, reason) || !AddVariant(comparison, reference, true, reason)) {
    return false;
  }
  for (const Selection& key : VariantKeys(edition)) {
    bool isReference = key.OfficeIndex == reference.OfficeIndex && key.SocialInterest == reference.SocialInterest;
    if (!isReference && !AddVariant(comparison, key, false, reason)) return false;
  }
  // A value no column takes would pass for one that changed the figures.
  bool valueTaken = false;
  for (const Variant& variant : comparison->Variants) valueTaken = valueTaken || variant.Figures.HasProjectValue;
  if (asked.HasProjectValue && !valueTaken) {
    *reason = Text(language, MSG_TAKES_NO_PROJECT_VALUE);
    return false;
  }
  const Variant& first = comparison->Variants.front();
  for (Variant& variant : comparison->Variants) {
    variant.HasDifference = first.Offered && variant.Offered;
    if (variant.HasDifference) variant.DifferenceCents = variant.Figures.FeeCents - first.Figures.FeeCents;
  }
  return true;
}

std::string VariantName(Language language, const Variant& variant) {
  const Act& act = variant.Figures;
  return Text(language, MSG_VARIANT, OfficeName(*act.Tariff, act.What.OfficeIndex),
              ProjectName(language, act.What.SocialInterest));
}

std::string VariantCode(const Variant& variant) {
  const Act& act = variant.Figures;
  return OfficeName(*act.Tariff, act.What.OfficeIndex) + (act.What.SocialInterest ? " social" : " normal");
}

std::string VariantRule(Language language, const Variant& variant) {
  if (variant.Offered) return RuleText(language, variant.Figures);
  if (!variant.Unpriced.empty()) return variant.Unpriced;
  const Edition& edition = *variant.Figures.Tariff;
  const Selection& what = variant.Figures.What;
  bool serviceHasNoProject =
      what.SocialInterest && !ProjectKindOffered(edition, {what.OfficeIndex, what.ServiceIndex, 0, true});
  return Text(language, serviceHasNoProject ? MSG_NO_SOCIAL_PROJECT : MSG_NOT_OFFERED_HERE);
}

}  // namespace tarivox::report
