// tarivox-cli list: the catalogue as the window offers it.
#include "catalogue/catalogue.h"
#include "cli/commands.h"

namespace tarivox::cli {
namespace {

void WriteTransactions(const Streams& io, int service, int office) {
  TextList list = LoadedTransactions({office, service, 0, false});
  for (int i = 0; i < list.Count; ++i) {
    Selection what{office, service, i, false};
    Write(io.Out, "    " + std::to_string(i) + "  " + report::TransactionName(what) +
                      (IsComputedTransaction(what) ? "  [computed]\n" : "  [text only]\n"));
  }
}

}  // namespace

const char LIST_HELP[] =
    "usage: tarivox-cli list\n"
    "\n"
    "Prints the offices, the services and each service's transactions with the\n"
    "positions that calc and batch take, marking which have a computed fee.\n"
    "At MVT the list of \"Certificaci\xC3\xB3n\" starts at \"Extractadas\": its positions\n"
    "there are shown separately.\n";

int RunList(const Arguments&, const Streams& io) {
  Write(io.Out, "Offices:\n");
  for (int office = 0; office < OFFICE_COUNT; ++office) {
    Write(io.Out, "  " + std::to_string(office) + "  " + report::OfficeName(office) +
                      (office == 1 ? "  (social-interest projects)\n" : "\n"));
  }
  Write(io.Out, "Services and transactions:\n");
  for (int service = 0; service < SERVICE_COUNT; ++service) {
    Write(io.Out, "  " + std::to_string(service) + "  " + report::ServiceName(service) + "\n");
    WriteTransactions(io, service, 0);
    if (FirstLoadedTransaction({1, service, 0, false}) != 0) {
      Write(io.Out, "   at MVT:\n");
      WriteTransactions(io, service, 1);
    }
  }
  return EXIT_OK;
}

}  // namespace tarivox::cli
