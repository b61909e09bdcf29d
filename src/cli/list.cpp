// tarivox-cli list: the catalogue as the window offers it, with how each
// transaction's fee is found.
#include "catalogue/catalogue.h"
#include "catalogue/tariff_rules.h"
#include "fees/fee_engine.h"
#include "cli/commands.h"
#include "report/money.h"

namespace tarivox::cli {
namespace {

// "[calculado]" for a fee the calculator computes, otherwise how the
// tariff text charges ("[según su texto: 8.86 más 0.35 por hoja]").
std::string HowPriced(report::Language language, const Selection& what) {
  if (IsComputedTransaction(what)) return report::Text(language, report::MSG_LIST_COMPUTED);
  return report::Text(language, report::MSG_LIST_STATED, report::StatedRate(language, what));
}

void WriteTransactions(const Streams& io, int service, int office) {
  TextList list = LoadedTransactions({office, service, 0, false});
  for (int i = 0; i < list.Count; ++i) {
    Selection what{office, service, i, false};
    Write(io.Out, "    " + std::to_string(i) + "  " + report::TransactionName(what) + "  " +
                      HowPriced(io.Lang, what) + "\n");
  }
}

}  // namespace

int RunList(const Arguments&, const Streams& io) {
  using namespace report;
  Write(io.Out, Text(io.Lang, MSG_LIST_OFFICES) + "\n");
  for (int office = 0; office < OFFICE_COUNT; ++office) {
    std::string note = OfficeOffersSocialInterest(office) ? "  " + Text(io.Lang, MSG_LIST_SOCIAL_OFFICE) : std::string();
    Write(io.Out, "  " + std::to_string(office) + "  " + OfficeName(office) + note + "\n");
  }
  Write(io.Out, Text(io.Lang, MSG_LIST_SERVICES) + "\n");
  for (int service = 0; service < SERVICE_COUNT; ++service) {
    Write(io.Out, "  " + std::to_string(service) + "  " + ServiceName(service) + "\n");
    WriteTransactions(io, service, 0);
    // An office whose list differs from the first office's has its own.
    for (int office = 1; office < OFFICE_COUNT; ++office) {
      if (FirstLoadedTransaction({office, service, 0, false}) == FirstLoadedTransaction({0, service, 0, false})) continue;
      Write(io.Out, "   " + Text(io.Lang, MSG_LIST_AT_OFFICE, OfficeName(office)) + "\n");
      WriteTransactions(io, service, office);
    }
  }
  return EXIT_OK;
}

}  // namespace tarivox::cli
