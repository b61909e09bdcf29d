// tarivox-cli calc: one computation, printed as the window's result sentence.
#include <string>

#include "catalogue/catalogue.h"
#include "cli/calc_options.h"
#include "cli/commands.h"
#include "cli/explain.h"
#include "fees/amount_text.h"

namespace tarivox::cli {
namespace {

constexpr char kCalcHelp[] =
    "usage: tarivox-cli calc [--office KLDA|MVT] [--service POS|NAME]\n"
    "                        [--transaction POS|NAME] [--social] [--explain] AMOUNT\n"
    "\n"
    "Computes the fee as the window does for AMOUNT typed into the amount field\n"
    "and prints the result sentence. Names match without regard to case or\n"
    "accents (\"inscripcion\" finds \"Inscripci\xC3\xB3n\"); positions count from 0 in\n"
    "the list as the window shows it. Defaults: KLDA, service 0, transaction 0,\n"
    "normal project. --social marks a social-interest project (effective at MVT).\n"
    "--explain adds every step of the computation and the tariff text.\n"
    "\n"
    "Exit status: 0 computed, 1 the transaction has no computed fee, 2 usage error.\n";

int ShowTextOnly(const CalcOptions& selection, CommandStreams io) {
  io.Out << DescriptionUtf8(selection) << "\n";
  if (selection.Service == SERVICE_PRESENTATION) {
    io.Out << "Fixed fee shown by the window: 8.86\n";
  }
  io.Err << "tarivox-cli: this transaction is explained only; it has no computed fee\n";
  return EXIT_REFUSED;
}

}  // namespace

int RunCalc(int argc, char** argv, CommandStreams io) {
  if (WantsHelp(argc, argv)) {
    io.Out << kCalcHelp;
    return EXIT_OK;
  }
  ParsedCalcLine parsed;
  std::string error;
  bool parsedWell = ParseCalcArguments(argc, argv, &parsed, &error);
  // An unknown option explains the rest best ("--colour red 5" is not two amounts).
  if (!parsed.Extra.empty()) error = "unknown option " + parsed.Extra.front();
  if (!parsedWell || !parsed.Extra.empty()) {
    io.Err << "tarivox-cli calc: " << error << "\n(see tarivox-cli calc --help)\n";
    return EXIT_USAGE;
  }
  const CalcOptions& selection = parsed.Selection;
  if (!IsComputedTransaction(selection.Service, selection.Transaction)) return ShowTextOnly(selection, io);

  FeeSelection fee{selection.Office, selection.Service, selection.Transaction, selection.Social, 0};
  ReadAmountText(parsed.TypedAmount.c_str());
  std::string cleaned = AmountText;
  FeeResult result{};
  double amount = 0;
  ComputeFeeFromAmountText(fee, &result, &amount);
  if (parsed.Explain) WriteExplanation(selection, cleaned, amount, result, io.Out);
  io.Out << MessageText << "\n";
  return EXIT_OK;
}

}  // namespace tarivox::cli
