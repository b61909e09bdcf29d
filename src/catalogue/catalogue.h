// The registry's tariff as static data: offices, services, the transactions
// of each service and the legal wording of each tariff.
//
// Every text is a NUL-terminated string in Windows code page 1252 (accented
// letters are one byte each) and is shown exactly as stored, including the
// places where two sentences are joined without a blank ("dominio.Usufructos").
// Lists are iterated by their counts, never by looking for an end marker.
#pragma once

#include "catalogue/selection.h"

namespace tarivox {

inline constexpr int OFFICE_COUNT = 2;
inline constexpr int SERVICE_COUNT = 6;

// Positions in the "Servicio:" list.
enum ServicePosition : int {
  SERVICE_INSCRIPTION = 0,
  SERVICE_CANCELLATION = 1,
  SERVICE_CERTIFICATION = 2,
  SERVICE_REPORT = 3,
  SERVICE_PRESENTATION = 4,
  SERVICE_SUBSTITUTION = 5,
};

// Inscription positions 0..8 have a computed fee; 9..12 are per-lot
// tariffs that are only explained.
inline constexpr int INSCRIPTION_COMPUTED_COUNT = 9;
// "Anotaciones y declaratorias" never carries the social-interest note.
inline constexpr int INSCRIPTION_ANNOTATIONS = 7;
// "Anotación Preventiva" never carries the social-interest note either.
inline constexpr int CANCELLATION_PREVENTIVE = 0;

extern const char* const OfficeNames[OFFICE_COUNT];
extern const char* const ServiceNames[SERVICE_COUNT];

extern const char* const InscriptionTransactions[13];
extern const char* const InscriptionTexts[13];
extern const char* const CancellationTransactions[3];
extern const char* const CancellationTexts[3];
extern const char* const CertificationTransactions[5];
extern const char* const CertificationTexts[5];
// At office 1 with the social-interest option; entry i belongs to
// certification i + 1, which is position i of the list loaded there.
extern const char* const CertificationSocialTexts[4];
extern const char* const ReportTransactions[1];
extern const char* const PresentationTransactions[1];
extern const char* const SubstitutionTransactions[1];

extern const char* const ReportText;
extern const char* const PresentationText;
extern const char* const SubstitutionText;
extern const char* const SocialInterestNote;

// A fixed list of texts with its count.
struct TextList {
  const char* const* Items;
  int Count;
};

// The service's own transaction list; empty for a position outside 0..5.
TextList ServiceTransactions(int service);

// First catalogue entry that the "Transacción:" list shows for the
// selection's service and office: 1 for "Certificación" at any office but 0
// ("Literales" is not offered there), otherwise 0.
int FirstLoadedTransaction(const Selection& selection);

// The transaction list exactly as the window loads it for the selection's
// service and office. A transaction position elsewhere in the program is a
// position in this list.
TextList LoadedTransactions(const Selection& selection);

// True when office, service and transaction name entries of the catalogue.
bool IsInCatalogue(const Selection& selection);

// True when the fee engine computes this transaction (position as loaded):
// inscription 0..8 and every cancellation. Everything else is text only.
// Inline: batch asks it of every record.
inline bool IsComputedTransaction(const Selection& selection) {
  int transaction = selection.TransactionIndex;
  if (transaction < 0) return false;
  if (selection.ServiceIndex == SERVICE_INSCRIPTION) return transaction < INSCRIPTION_COMPUTED_COUNT;
  if (selection.ServiceIndex == SERVICE_CANCELLATION) return transaction < 3;
  return false;
}

}  // namespace tarivox
