#include "cli/explain.h"

#include "catalogue/catalogue.h"
#include "cli/quote_money.h"
#include "cli/quote_rule.h"

namespace tarivox::cli {
namespace {

void Line(std::ostream& out, const char* label, const std::string& value) {
  out << label << value << "\n";
}

std::string LimitsLine(const FeeTrace& trace) {
  std::string text = FormatDecimal(trace.Minimum, 2) + " and " + FormatDecimal(trace.Maximum, 2);
  if (trace.MinimumApplied) return text + " (raised to the minimum)";
  if (trace.MaximumApplied) return text + " (cut to the maximum)";
  if (trace.Rule == FeeRule::Bracket || trace.Rule == FeeRule::CancellationBracket) {
    return text + " (the bracket schedule is exempt from the minimum)";
  }
  return text + " (neither applies)";
}

}  // namespace

void WriteExplanation(const CalcOptions& selection, const std::string& cleanedAmount, double amount,
                      const FeeResult& result, std::ostream& out) {
  FeeSelection fee{selection.Office, selection.Service, selection.Transaction, selection.Social, amount};
  FeeTrace trace{};
  EvaluateFeeTraced(fee, &trace);
  TextList transactions = LoadedTransactions(selection.Service, selection.Office);

  Line(out, "Office:            ", Cp1252ToUtf8(OfficeNames[selection.Office]));
  Line(out, "Service:           ", Cp1252ToUtf8(ServiceNames[selection.Service]));
  Line(out, "Transaction:       ", Cp1252ToUtf8(transactions.Items[selection.Transaction]));
  Line(out, "Project:           ", selection.Social ? "social interest" : "normal");
  Line(out, "Amount as read:    ", "\"" + cleanedAmount + "\" (commas removed)");
  Line(out, "Amount in cents:   ", FormatDecimal(amount, 2));
  Line(out, "Started hundreds:  ", FormatWholeDouble(trace.Hundreds));
  Line(out, "Social factor:     ", trace.Factor == 1.0 ? "1 (none)" : FormatDecimal(trace.Factor, 2));
  Line(out, "Rule:              ", DescribeFeeRule(fee, result, trace));
  Line(out, "Fee as computed:   ", FormatDecimal(result.ComputedFee, 2));
  Line(out, "Minimum, maximum:  ", LimitsLine(trace));
  bool zeroShown = !(amount > 0) && !(result.ComputedFee > 0);
  Line(out, "Fee:               ", zeroShown ? std::string("0.00 (no amount)") : FormatDecimal(result.LimitedFee, 2));
  Line(out, "Tariff text:       ", DescriptionUtf8(selection));
}

}  // namespace tarivox::cli
