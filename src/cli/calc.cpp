// tarivox-cli calc: one computation, printed as the window's result sentence.
#include "catalogue/catalogue.h"
#include "cli/commands.h"
#include "fees/amount_text.h"
#include "report/explain.h"

namespace tarivox::cli {

const char CALC_HELP[] =
    "usage: tarivox-cli calc [--office KLDA|MVT] [--service POS|NAME]\n"
    "                        [--transaction POS|NAME] [--social] [--explain] AMOUNT\n"
    "\n"
    "Computes the fee as the window does for AMOUNT typed into the amount field\n"
    "and prints the result sentence. Names match without regard to case or\n"
    "accents (\"inscripcion\" finds \"Inscripci\xC3\xB3n\"); positions count from 0 in\n"
    "the list as the window shows it. Defaults: KLDA, service 0, transaction 0,\n"
    "normal project. --social marks a social-interest project (effective at MVT).\n"
    "--explain adds every step of the computation and the tariff text.\n"
    "Exit status 1: the transaction has no computed fee.\n";

int RunCalc(const Arguments& arguments, const Streams& io) {
  Selection what{};
  std::string error;
  if (!ResolveSelection(arguments, &what, &error)) return UsageError(io, error);
  if (!IsComputedTransaction(what)) {
    Write(io.Out, report::TariffText(what) + "\n");
    if (what.ServiceIndex == SERVICE_PRESENTATION) {
      Write(io.Out, std::string("Fixed fee shown by the window: ") + PRESENTATION_FEE_TEXT + "\n");
    }
    Say(io, "this transaction is explained only; it has no computed fee");
    return EXIT_REFUSED;
  }
  // The amount field takes the bytes as typed, whatever their encoding.
  report::WriteCalculation(what, arguments.Amount, arguments.Given[OPTION_EXPLAIN], SinkOf(io.Out));
  return EXIT_OK;
}

}  // namespace tarivox::cli
