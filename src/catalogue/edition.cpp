#include "catalogue/edition.h"

#include <cstdlib>

#include "catalogue/edition_reader.h"

namespace tarivox {

// The bytes of editions/built-in.json, put into the program by the build.
extern const char BuiltInEditionJson[];
extern const std::size_t BuiltInEditionJsonSize;

const Edition& BuiltInEdition() {
  static const LoadedEdition* const edition = [] {
    std::vector<EditionProblem> problems;
    std::unique_ptr<LoadedEdition> read = ReadEdition({BuiltInEditionJson, BuiltInEditionJsonSize}, &problems);
    // Without its tariff the program cannot price anything; the tests hold
    // the built-in edition to reading whole, so this never happens in a
    // program that was tested.
    if (read == nullptr) std::abort();
    return read.release();  // lives as long as the program
  }();
  return edition->View;
}

std::string_view BuiltInEditionText() { return {BuiltInEditionJson, BuiltInEditionJsonSize}; }

const ServiceEntry* ServiceOf(const Edition& edition, int service) {
  return service >= 0 && service < edition.ServiceCount ? &edition.Services[service] : nullptr;
}

int LoadedCount(const Edition& edition, const Selection& selection) {
  const ServiceEntry* service = ServiceOf(edition, selection.ServiceIndex);
  if (service == nullptr || selection.OfficeIndex < 0 || selection.OfficeIndex >= edition.OfficeCount) return 0;
  return service->LoadedCount[selection.OfficeIndex];
}

const TransactionEntry* LoadedEntry(const Edition& edition, const Selection& selection) {
  const int position = selection.TransactionIndex;
  if (position < 0 || position >= LoadedCount(edition, selection)) return nullptr;
  const ServiceEntry& service = edition.Services[selection.ServiceIndex];
  return &service.Transactions[service.Loaded[selection.OfficeIndex][position]];
}

bool IsInCatalogue(const Edition& edition, const Selection& selection) { return LoadedEntry(edition, selection) != nullptr; }

bool OfficeOffersSocialInterest(const Edition& edition, int office) {
  return office >= 0 && office < edition.OfficeCount && edition.Offices[office].SocialInterest;
}

bool ProjectKindOffered(const Edition& edition, const Selection& selection) {
  return OfficeOffersSocialInterest(edition, selection.OfficeIndex) &&
         ControlsOf(edition, selection.ServiceIndex).ProjectKind;
}

bool UnderSocialInterest(const Edition& edition, const Selection& selection) {
  return selection.SocialInterest && OfficeOffersSocialInterest(edition, selection.OfficeIndex);
}

const Price* PriceOf(const Edition& edition, const Selection& selection) {
  const TransactionEntry* entry = LoadedEntry(edition, selection);
  if (entry == nullptr) return nullptr;
  return entry->HasSocial && UnderSocialInterest(edition, selection) ? &entry->Social : &entry->Normal;
}

bool IsComputedTransaction(const Edition& edition, const Selection& selection) {
  const Price* price = PriceOf(edition, selection);
  return price != nullptr && price->Rule != PriceRule::Stated && price->Rule != PriceRule::ShownFee;
}

ServiceControls ControlsOf(const Edition& edition, int service) {
  const ServiceEntry* entry = ServiceOf(edition, service);
  return entry == nullptr ? ServiceControls{} : entry->Controls;
}

long long FeeShownBeforeComputation(const Edition& edition, int service) {
  const ServiceEntry* entry = ServiceOf(edition, service);
  return entry == nullptr ? 0 : entry->ShownFeeCents;
}

}  // namespace tarivox
