#include "catalogue/description.h"

#include "catalogue/catalogue.h"
#include "catalogue/tariff_rules.h"

namespace tarivox {
namespace {


// Appends source to out from position at, never past the last byte; returns
// the new end position.
std::size_t AppendBounded(char (&out)[DESCRIPTION_TEXT_SIZE], std::size_t at,
                          const char* source) {
  while (*source != '\0' && at + 1 < DESCRIPTION_TEXT_SIZE) out[at++] = *source++;
  out[at] = '\0';
  return at;
}

}  // namespace

const char* const* TariffBaseText(const Selection& selection) {
  int transaction = selection.TransactionIndex;
  if (transaction < 0) return nullptr;
  switch (selection.ServiceIndex) {
    case SERVICE_INSCRIPTION:
      return transaction < 13 ? &InscriptionTexts[transaction] : nullptr;
    case SERVICE_CANCELLATION:
      return transaction < 3 ? &CancellationTexts[transaction] : nullptr;
    case SERVICE_CERTIFICATION:
      // Away from office 0 the list starts at "Extractadas", so position p is
      // catalogue entry p + 1; the social texts are indexed by position.
      if (selection.OfficeIndex == 0) return transaction < 5 ? &CertificationTexts[transaction] : nullptr;
      if (transaction >= 4) return nullptr;
      return selection.SocialInterest ? &CertificationSocialTexts[transaction] : &CertificationTexts[transaction + 1];
    case SERVICE_REPORT: return transaction == 0 ? &ReportText : nullptr;
    case SERVICE_PRESENTATION: return transaction == 0 ? &PresentationText : nullptr;
    case SERVICE_SUBSTITUTION: return transaction == 0 ? &SubstitutionText : nullptr;
    default: return nullptr;
  }
}

bool DescriptionHasNote(const Selection& selection) {
  if (!selection.SocialInterest || !OfficeOffersSocialInterest(selection.OfficeIndex)) return false;
  switch (selection.ServiceIndex) {
    case SERVICE_INSCRIPTION: return selection.TransactionIndex != INSCRIPTION_ANNOTATIONS;
    case SERVICE_CANCELLATION: return selection.TransactionIndex != CANCELLATION_PREVENTIVE;
    case SERVICE_REPORT: return true;
    default: return false;  // certification texts carry their own sentence
  }
}

void ComposeDescription(const Selection& selection, char (&out)[DESCRIPTION_TEXT_SIZE]) {
  out[0] = '\0';
  const char* const* base = TariffBaseText(selection);
  if (base == nullptr) return;
  std::size_t end = AppendBounded(out, 0, *base);
  if (DescriptionHasNote(selection)) {
    AppendBounded(out, end, SocialInterestNote);
  }
}

}  // namespace tarivox
