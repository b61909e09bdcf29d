// tarivox-cli batch: one computation per input line, streamed.
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "fees/amount_text.h"

namespace tarivox::cli {
namespace {

constexpr char kBatchHelp[] =
    "usage: tarivox-cli batch < INPUT\n"
    "\n"
    "Reads lines OFFICE<TAB>SERVICE<TAB>TRANSACTION<TAB>SOCIAL<TAB>TYPED from standard\n"
    "input: positions as numbers (as `tarivox-cli list` shows them), SOCIAL 0 or 1,\n"
    "TYPED everything after the fourth tab, exactly as typed into the amount field.\n"
    "Writes for each line, in order, AMOUNT_TEXT<TAB>FEE_TEXT<TAB>MESSAGE_TEXT as the\n"
    "window shows them, or ERROR<TAB>line N: reason for a line that cannot be\n"
    "computed. A carriage return before the line end is dropped.\n"
    "\n"
    "Exit status: 0 every line computed, 1 some line refused, 2 usage error.\n";

constexpr int kSelectionFields = 4;

// Splits the four selection fields off line; typed gets the rest.
bool SplitLine(std::string_view line, std::string_view (&fields)[kSelectionFields], std::string_view* typed) {
  for (auto& field : fields) {
    std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return false;
    field = line.substr(0, tab);
    line.remove_prefix(tab + 1);
  }
  *typed = line;
  return true;
}

// Checks the line's selection; on failure returns the reason.
const char* ReadSelection(const std::string_view (&fields)[kSelectionFields], FeeSelection* selection) {
  int office = 0, service = 0, transaction = 0, social = 0;
  if (!ParsePosition(fields[0], &office) || office >= OFFICE_COUNT) return "OFFICE must be 0 or 1";
  if (!ParsePosition(fields[1], &service) || service >= SERVICE_COUNT) return "SERVICE must be 0 to 5";
  if (!ParsePosition(fields[2], &transaction) ||
      transaction >= LoadedTransactions(service, office).Count) {
    return "TRANSACTION is not a position of that service's list";
  }
  if (!ParsePosition(fields[3], &social) || social > 1) return "SOCIAL must be 0 or 1";
  if (!IsComputedTransaction(service, transaction)) return "the transaction is text only (no computed fee)";
  *selection = {office, service, transaction, social == 1, 0};
  return nullptr;
}

}  // namespace

int RunBatch(int argc, char** argv, CommandStreams io) {
  if (WantsHelp(argc, argv)) {
    io.Out << kBatchHelp;
    return EXIT_OK;
  }
  if (argc > 0) {
    io.Err << "tarivox-cli batch: takes no arguments; the lines come from standard input\n";
    return EXIT_USAGE;
  }
  int status = EXIT_OK;
  std::string line;  // reused: memory follows the longest line, not the input
  std::string typed;
  for (unsigned long long number = 1; std::getline(io.In, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string_view fields[kSelectionFields];
    std::string_view typedView;
    FeeSelection selection{};
    const char* reason = SplitLine(line, fields, &typedView)
                             ? ReadSelection(fields, &selection)
                             : "expected OFFICE, SERVICE, TRANSACTION, SOCIAL and TYPED separated by tabs";
    if (reason != nullptr) {
      io.Out << "ERROR\tline " << number << ": " << reason << '\n';
      status = EXIT_REFUSED;
      continue;
    }
    typed.assign(typedView);
    ComputeFeeTexts(selection, typed.c_str());
    io.Out << AmountText << '\t' << FeeText << '\t' << MessageText << '\n';
  }
  return status;
}

}  // namespace tarivox::cli
