#include "report/explain.h"

#include <algorithm>
#include <utility>

#include "fees/amount_text.h"
#include "report/money.h"
#include "report/text.h"

namespace tarivox::report {
namespace {

using Line = std::pair<MessageOf<>, std::string>;

// Labels in a column as wide as the longest, so the values line up.
void WriteLines(Language language, const Line* lines, std::size_t count, const Sink& out) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < count; ++i) width = std::max(width, DisplayWidth(MessageText(language, lines[i].first.Index)));
  for (std::size_t i = 0; i < count; ++i) {
    std::string_view label = MessageText(language, lines[i].first.Index);
    Put(out, std::string(label) + std::string(width + 1 - DisplayWidth(label), ' ') + lines[i].second + "\n");
  }
}

std::string LimitsLine(Language language, const FeeTrace& trace) {
  std::string limits = Text(language, MSG_LIMITS, FormatDecimal(trace.Minimum, 2), FormatDecimal(trace.Maximum, 2));
  if (trace.MinimumApplied) return Text(language, MSG_LIMITS_MINIMUM, limits);
  if (trace.MaximumApplied) return Text(language, MSG_LIMITS_MAXIMUM, limits);
  if (trace.Rule == FeeRule::Bracket || trace.Rule == FeeRule::CancellationBracket) {
    return Text(language, MSG_LIMITS_BRACKET, limits);
  }
  return Text(language, MSG_LIMITS_NEITHER, limits);
}

// The amount field's text as the window read it, commas removed, for the
// eye: inert, and with a character that the 127-byte cut split shown as
// U+FFFD, not the whole text read as code page 1252.
std::string AmountAsRead(std::string_view typed) {
  const FixedText<AMOUNT_TEXT_SIZE> cleaned = CleanAmountText(typed);
  return Inert(IsValidUtf8(typed) ? AsUtf8(MarkCutCharacter(cleaned.View())) : Cp1252ToUtf8(cleaned.View()));
}

// cleanedAmount is AmountAsRead's text.
void WriteExplanation(Language language, const Edition& edition, const Selection& what,
                      std::string_view cleanedAmount, const FeeComputation& computation, const Sink& out) {
  Act act;
  act.Tariff = &edition;
  act.What = what;
  act.Amount = computation.AmountValue;
  act.Result = computation.Result;
  act.Trace = computation.Trace;
  const FeeTrace& trace = act.Trace;
  bool zeroShown = !(act.Amount > 0) && !(act.Result.ComputedFee > 0);
  const Line lines[] = {
      {MSG_STEP_TARIFF, TariffLine(language, edition)},
      {MSG_STEP_OFFICE, OfficeName(edition, what.OfficeIndex)},
      {MSG_STEP_SERVICE, ServiceName(edition, what.ServiceIndex)},
      {MSG_STEP_TRANSACTION, TransactionName(edition, what)},
      {MSG_STEP_PROJECT, ProjectName(language, what.SocialInterest)},
      {MSG_STEP_AMOUNT_READ, Text(language, MSG_AMOUNT_AS_READ, cleanedAmount)},
      {MSG_STEP_AMOUNT_CENTS, FormatDecimal(act.Amount, 2)},
      {MSG_STEP_HUNDREDS, FormatWholeDouble(trace.Hundreds)},
      {MSG_STEP_FACTOR, trace.Factor == 1.0 ? Text(language, MSG_FACTOR_NONE) : FormatDecimal(trace.Factor, 2)},
      {MSG_STEP_RULE, RuleText(language, act)},
      {MSG_STEP_COMPUTED, FormatDecimal(act.Result.ComputedFee, 2)},
      {MSG_STEP_LIMITS, LimitsLine(language, trace)},
      {MSG_STEP_FEE, zeroShown ? Text(language, MSG_FEE_NO_AMOUNT) : FormatDecimal(act.Result.LimitedFee, 2)},
      {MSG_STEP_TARIFF_TEXT, TariffText(edition, what)},
  };
  WriteLines(language, lines, std::size(lines), out);
}

}  // namespace

std::string TariffLine(Language language, const Edition& edition) {
  return edition.InForceFrom.IsSet() ? Text(language, MSG_TARIFF_DATED, edition.Name, IsoDate(edition.InForceFrom))
                                     : std::string(edition.Name);
}

void WriteCalculation(Language language, const Edition& edition, const Selection& what, std::string_view typed,
                      bool explain, const Sink& out) {
  const FeeComputation computation = ComputeFeeTexts(edition, what, typed);
  if (explain) WriteExplanation(language, edition, what, AmountAsRead(typed), computation, out);
  Put(out, computation.Message.View());
  Put(out, "\n");
}

void WriteStatedFee(Language language, const Act& act, const Sink& out) {
  const Line lines[] = {
      {MSG_STEP_TARIFF, TariffLine(language, *act.Tariff)},
      {MSG_STEP_TARIFF_TEXT, TariffText(*act.Tariff, act.What)},
      {MSG_STEP_STATED_FEE, RuleText(language, act)},
  };
  WriteLines(language, lines, std::size(lines), out);
}

}  // namespace tarivox::report
