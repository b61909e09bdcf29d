// tarivox-cli compare: one act under every office and, where the office has
// it, the social-interest project, side by side.
#include "cli/commands.h"

namespace tarivox::cli {

int RunCompare(const Arguments& arguments, const Streams& io) {
  const report::ReportFormat* format = ChosenFormat(arguments, io);
  if (format == nullptr) return EXIT_USAGE;
  report::TariffBook book;
  int status = EXIT_OK;
  const Edition* edition = ChosenTariff(arguments, io, &book, &status);
  if (edition == nullptr) return status;
  report::ActRequest asked;
  std::string reason;
  if (!ResolveSelection(arguments, io.Lang, *edition, &asked.What, &reason)) return UsageError(io, reason);
  // The reference act is checked as calc checks it; the project's value may
  // be for another column only.
  Arguments forReference = arguments;
  forReference.Given[OPTION_VALUE] = arguments.Given[OPTION_VALUE] && SocialShareApplies(*edition, asked.What);
  report::Act reference;
  status = ReadOperandAct(forReference, io, *edition, &reference);
  if (status != EXIT_OK) return status;
  asked.HasValue = arguments.HasOperand;
  asked.Value = arguments.Operand;
  asked.HasProjectValue = arguments.Given[OPTION_VALUE];
  asked.ProjectValue = arguments.Value[OPTION_VALUE];
  report::Comparison comparison;
  if (!report::BuildComparison(io.Lang, *edition, asked, &comparison, &reason)) {
    Say(io, reason);
    return EXIT_REFUSED;
  }
  format->WriteComparison(comparison, SinkOf(io.Out));
  return EXIT_OK;
}

}  // namespace tarivox::cli
