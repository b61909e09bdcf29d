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
// (UTF-8).
void WriteExplanation(const Selection& what, std::string_view cleanedAmount, const FeeComputation& computation,
                      const Sink& out) {
  Act act;
  act.What = what;
  act.Computed = true;
  act.Amount = computation.AmountValue;
  act.Result = computation.Result;
  act.Trace = computation.Trace;
  const double amount = act.Amount;
  const FeeTrace& trace = act.Trace;
  bool zeroShown = !(amount > 0) && !(act.Result.ComputedFee > 0);
  const std::pair<const char*, std::string> lines[] = {
      {"Office:            ", OfficeName(what.OfficeIndex)},
      {"Service:           ", ServiceName(what.ServiceIndex)},
      {"Transaction:       ", TransactionName(what)},
      {"Project:           ", ProjectName(what.SocialInterest)},
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

void WriteCalculation(const Selection& what, std::string_view typed, bool explain, const Sink& out) {
  const FeeComputation computation = ComputeFeeTexts(what, typed);
  if (explain) WriteExplanation(what, AsUtf8(CleanAmountText(typed).View()), computation, out);
  Put(out, computation.Message.View());
  Put(out, "\n");
}

}  // namespace tarivox::report
