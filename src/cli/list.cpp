// tarivox-cli list: the catalogue as the window offers it under the edition
// in force, with how each transaction's fee is found.
#include "cli/commands.h"
#include "report/explain.h"
#include "report/money.h"

namespace tarivox::cli {
namespace {

// "[calculado]" for a fee the calculator computes, otherwise how the
// tariff text charges ("[según su texto: 8.86 más 0.35 por hoja]").
std::string HowPriced(report::Language language, const Edition& edition, const Selection& what) {
  if (IsComputedTransaction(edition, what)) return report::Text(language, report::MSG_LIST_COMPUTED);
  return report::Text(language, report::MSG_LIST_STATED, report::StatedRate(language, edition, what));
}

void WriteTransactions(const Streams& io, const Edition& edition, int service, int office) {
  for (Selection what{office, service, 0, false}; what.TransactionIndex < LoadedCount(edition, what);
       ++what.TransactionIndex) {
    Write(io.Out, "    " + std::to_string(what.TransactionIndex) + "  " + report::TransactionName(edition, what) +
                      "  " + HowPriced(io.Lang, edition, what) + "\n");
  }
}

// Two offices whose lists for a service hold other transactions.
bool ListsDiffer(const Edition& edition, int service, int office) {
  const Selection first{0, service, 0, false}, here{office, service, 0, false};
  if (LoadedCount(edition, first) != LoadedCount(edition, here)) return true;
  for (Selection a = first, b = here; a.TransactionIndex < LoadedCount(edition, first);
       ++a.TransactionIndex, ++b.TransactionIndex) {
    if (LoadedEntry(edition, a) != LoadedEntry(edition, b)) return true;
  }
  return false;
}

}  // namespace

int RunList(const Arguments& arguments, const Streams& io) {
  using namespace report;
  TariffBook book;
  int status = EXIT_OK;
  const Edition* chosen = ChosenTariff(arguments, io, &book, &status);
  if (chosen == nullptr) return status;
  const Edition& edition = *chosen;
  Write(io.Out, Text(io.Lang, MSG_TARIFF, TariffLine(io.Lang, edition)) + "\n");
  Write(io.Out, Text(io.Lang, MSG_LIST_OFFICES) + "\n");
  for (int office = 0; office < edition.OfficeCount; ++office) {
    std::string note =
        OfficeOffersSocialInterest(edition, office) ? "  " + Text(io.Lang, MSG_LIST_SOCIAL_OFFICE) : std::string();
    Write(io.Out, "  " + std::to_string(office) + "  " + OfficeName(edition, office) + note + "\n");
  }
  Write(io.Out, Text(io.Lang, MSG_LIST_SERVICES) + "\n");
  for (int service = 0; service < edition.ServiceCount; ++service) {
    Write(io.Out, "  " + std::to_string(service) + "  " + ServiceName(edition, service) + "\n");
    WriteTransactions(io, edition, service, 0);
    // An office whose list differs from the first office's has its own.
    for (int office = 1; office < edition.OfficeCount; ++office) {
      if (!ListsDiffer(edition, service, office)) continue;
      Write(io.Out, "   " + Text(io.Lang, MSG_LIST_AT_OFFICE, OfficeName(edition, office)) + "\n");
      WriteTransactions(io, edition, service, office);
    }
  }
  return EXIT_OK;
}

}  // namespace tarivox::cli
