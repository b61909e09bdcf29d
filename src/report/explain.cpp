#include "report/explain.h"

#include "fees/amount_text.h"
#include "report/act.h"
#include "report/money.h"
#include "report/text.h"

namespace tarivox::report {
namespace {

std::string LimitsLine(const FeeTrace& trace) {
  std::string text = FormatDecimal(trace.Minimum, 2) + " and " + FormatDecimal(trace.Maximum, 2);
  if (trace.MinimumApplied) return text + " (raised to the minimum)";
  if (trace.MaximumApplied) return text + " (cut to the maximum)";
  if (trace.Rule == FeeRule::Bracket || trace.Rule == FeeRule::CancellationBracket) {
    return text + " (the bracket schedule is exempt from the minimum)";
  }
  return text + " (neither applies)";
}

// cleanedAmount is the amount field's text after the commas are removed
// (UTF-8), amount the amount the engine computes with.
void WriteExplanation(const Selection& what, std::string_view cleanedAmount, double amount, const Sink& out) {
  Act act;
  act.What = what;
  act.Computed = true;
  act.Amount = amount;
  act.Result = EvaluateFeeTraced({what.Office, what.Service, what.Transaction, what.Social, amount}, &act.Trace);
  const FeeTrace& trace = act.Trace;
  bool zeroShown = !(amount > 0) && !(act.Result.ComputedFee > 0);
  const std::pair<const char*, std::string> lines[] = {
      {"Office:            ", OfficeName(what.Office)},
      {"Service:           ", ServiceName(what.Service)},
      {"Transaction:       ", TransactionName(what)},
      {"Project:           ", ProjectName(what.Social)},
      {"Amount as read:    ", "\"" + std::string(cleanedAmount) + "\" (commas removed)"},
      {"Amount in cents:   ", FormatDecimal(amount, 2)},
      {"Started hundreds:  ", FormatWholeDouble(trace.Hundreds)},
      {"Social factor:     ", trace.Factor == 1.0 ? "1 (none)" : FormatDecimal(trace.Factor, 2)},
      {"Rule:              ", RuleText(act)},
      {"Fee as computed:   ", FormatDecimal(act.Result.ComputedFee, 2)},
      {"Minimum, maximum:  ", LimitsLine(trace)},
      {"Fee:               ", zeroShown ? "0.00 (no amount)" : FormatDecimal(act.Result.LimitedFee, 2)},
      {"Tariff text:       ", TariffText(what)},
  };
  for (const auto& [label, value] : lines) Put(out, label + value + "\n");
}

}  // namespace

void WriteCalculation(const Selection& what, const char* typed, bool explain, const Sink& out) {
  ReadAmountText(typed);
  const std::string cleaned = AmountText;
  double amount = 0;
  ComputeFeeFromAmountText({what.Office, what.Service, what.Transaction, what.Social, 0}, nullptr, &amount);
  const std::string sentence = MessageText;
  if (explain) WriteExplanation(what, AsUtf8(cleaned), amount, out);
  Put(out, sentence + "\n");
}

}  // namespace tarivox::report
