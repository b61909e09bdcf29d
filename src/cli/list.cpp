// tarivox-cli list: the catalogue as the window offers it.
#include "catalogue/catalogue.h"
#include "cli/cli_common.h"
#include "cli/commands.h"

namespace tarivox::cli {
namespace {

constexpr char kListHelp[] =
    "usage: tarivox-cli list\n"
    "\n"
    "Prints the offices, the services and each service's transactions with the\n"
    "positions that calc and batch take, marking which have a computed fee.\n"
    "At MVT the list of \"Certificaci\xC3\xB3n\" starts at \"Extractadas\": its positions\n"
    "there are shown separately.\n";

void WriteTransactions(const TextList& list, int service, std::ostream& out) {
  for (int i = 0; i < list.Count; ++i) {
    out << "    " << i << "  " << Cp1252ToUtf8(list.Items[i])
        << (IsComputedTransaction(service, i) ? "  [computed]" : "  [text only]") << "\n";
  }
}

}  // namespace

int RunList(int argc, char** argv, CommandStreams io) {
  if (WantsHelp(argc, argv)) {
    io.Out << kListHelp;
    return EXIT_OK;
  }
  if (argc > 0) {
    io.Err << "tarivox-cli list: takes no arguments\n";
    return EXIT_USAGE;
  }
  io.Out << "Offices:\n";
  for (int office = 0; office < OFFICE_COUNT; ++office) {
    io.Out << "  " << office << "  " << OfficeNames[office]
           << (office == 1 ? "  (social-interest projects)" : "") << "\n";
  }
  io.Out << "Services and transactions:\n";
  for (int service = 0; service < SERVICE_COUNT; ++service) {
    io.Out << "  " << service << "  " << Cp1252ToUtf8(ServiceNames[service]) << "\n";
    WriteTransactions(LoadedTransactions(service, 0), service, io.Out);
    if (FirstLoadedTransaction(service, 1) != 0) {
      io.Out << "   at MVT:\n";
      WriteTransactions(LoadedTransactions(service, 1), service, io.Out);
    }
  }
  return EXIT_OK;
}

}  // namespace tarivox::cli
