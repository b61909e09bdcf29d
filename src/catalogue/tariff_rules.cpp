#include "catalogue/tariff_rules.h"

#include "catalogue/catalogue.h"
#include "catalogue/description.h"
#include "fees/fee_engine.h"

namespace tarivox {
namespace {

// By service position: amount, fee, "Calcular pago", text panel button,
// office list, project kind.
constexpr ServiceControls kServiceControls[SERVICE_COUNT] = {
    {true, true, true, true, true, true},        // Inscripción
    {true, true, true, true, true, true},        // Cancelación
    {false, false, false, false, true, true},    // Certificación
    {false, false, false, false, true, true},    // Informe
    {false, true, false, false, false, false},   // Presentación
    {false, false, false, false, false, false},  // Sustitución
};

constexpr int kSocialInterestOffice = 1;  // MVT
constexpr long long kPresentationFeeCents = 886;

}  // namespace

// Each row holds the figures its tariff text states, in cents; a test reads
// them back in the text itself.
const StatedFee StatedFees[STATED_FEE_COUNT] = {
    {&InscriptionTexts[9], 0, 970, UNIT_LOT_OR_PARCEL, 3429, CONDITION_NONE, true},
    {&InscriptionTexts[10], 0, 970, UNIT_LOT_OR_PARCEL, 5491, CONDITION_NONE, true},
    {&InscriptionTexts[11], 0, 970, UNIT_LOT_OR_PARCEL, 3429, CONDITION_NONE, true},
    {&InscriptionTexts[12], 0, 970, UNIT_LOT_OR_PARCEL, 3429, CONDITION_NONE, true},
    {&CertificationTexts[0], 886, 35, UNIT_SHEET, 0, CONDITION_NONE, true},
    {&CertificationTexts[1], 886, 0, UNIT_NONE, 0, CONDITION_NONE, true},
    {&CertificationTexts[2], 886, 0, UNIT_NONE, 0, CONDITION_NONE, true},
    {&CertificationTexts[3], 0, 177, UNIT_OWNER, 0, CONDITION_ARTICLE_50A, true},
    {&CertificationTexts[4], 886, 14, UNIT_LOT, 0, CONDITION_NONE, true},
    {&CertificationSocialTexts[0], 571, 0, UNIT_NONE, 0, CONDITION_NONE, true},
    {&CertificationSocialTexts[1], 571, 0, UNIT_NONE, 0, CONDITION_NONE, true},
    {&CertificationSocialTexts[2], 0, 177, UNIT_OWNER, 0, CONDITION_ARTICLE_50A | CONDITION_SOCIAL_SHARE, true},
    {&CertificationSocialTexts[3], 886, 14, UNIT_LOT, 0, CONDITION_SOCIAL_SHARE, true},
    {&ReportText, 0, 71, UNIT_OWNER, 0, CONDITION_ARTICLE_50A, true},
    {&PresentationText, kPresentationFeeCents, 0, UNIT_NONE, 0, CONDITION_NONE, false},
    {&SubstitutionText, 0, 230, UNIT_SHEET, 0, CONDITION_NONE, true},
};

ServiceControls ControlsOf(int service) {
  if (service < 0 || service >= SERVICE_COUNT) return {false, false, false, false, false, false};
  return kServiceControls[service];
}

bool OfficeOffersSocialInterest(int office) { return office == kSocialInterestOffice; }

bool ProjectKindOffered(const Selection& selection) {
  return OfficeOffersSocialInterest(selection.OfficeIndex) && ControlsOf(selection.ServiceIndex).ProjectKind;
}

const StatedFee* StatedFeeFor(const Selection& selection, unsigned* conditions) {
  const char* const* text = TariffBaseText(selection);
  if (text == nullptr || IsComputedTransaction(selection)) return nullptr;
  for (const StatedFee& fee : StatedFees) {
    if (fee.Text != text) continue;
    // The note the window appends puts the social-interest share on the fee.
    *conditions = fee.Conditions | (DescriptionHasNote(selection) ? CONDITION_SOCIAL_SHARE : CONDITION_NONE);
    return &fee;
  }
  return nullptr;
}

long long StatedFeeCents(const StatedFee& fee, long long quantity) {
  long long cents = fee.BaseCents + fee.RateCents * quantity;
  return cents < fee.MinimumCents ? fee.MinimumCents : cents;
}

long long FeeShownBeforeComputation(int service) {
  return service == SERVICE_PRESENTATION ? kPresentationFeeCents : 0;
}

}  // namespace tarivox
