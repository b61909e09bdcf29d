// tarivox-cli calc: one computation, printed as the window's result
// sentence; or, for a transaction whose fee its tariff text states, that
// text and the fee it gives.
#include "cli/commands.h"
#include "report/explain.h"

namespace tarivox::cli {

int RunCalc(const Arguments& arguments, const Streams& io) {
  report::TariffBook book;
  int status = EXIT_OK;
  const Edition* edition = ChosenTariff(arguments, io, &book, &status);
  if (edition == nullptr) return status;
  report::Act act;
  status = ReadOperandAct(arguments, io, *edition, &act);
  if (status != EXIT_OK) return status;
  if (report::ValueOf(*edition, act.What) == report::ActValue::Amount) {
    // The amount field takes the bytes as typed, whatever their encoding,
    // and reads whatever it is given: so does calc, as the window would.
    report::WriteCalculation(io.Lang, *edition, act.What, arguments.Operand, arguments.Given[OPTION_EXPLAIN],
                             SinkOf(io.Out));
    return EXIT_OK;
  }
  std::string reason;
  if (!report::PriceAct(io.Lang, &act, &reason)) {
    Say(io, reason);
    return EXIT_REFUSED;
  }
  report::WriteStatedFee(io.Lang, act, SinkOf(io.Out));
  return EXIT_OK;
}

}  // namespace tarivox::cli
