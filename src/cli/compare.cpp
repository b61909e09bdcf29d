// tarivox-cli compare: one act under both offices and, where the office has
// it, the social-interest project, side by side.
#include "cli/commands.h"

namespace tarivox::cli {

int RunCompare(const Arguments& arguments, const Streams& io) {
  const report::ReportFormat* format = ChosenFormat(arguments, io);
  if (format == nullptr) return EXIT_USAGE;
  report::Act asked;
  int status = ReadOperandAct(arguments, io, &asked);
  if (status != EXIT_OK) return status;
  report::Comparison comparison;
  std::string reason;
  if (!report::BuildComparison(io.Lang, asked.What, arguments.HasOperand, arguments.Operand, &comparison, &reason)) {
    Say(io, reason);
    return EXIT_REFUSED;
  }
  format->WriteComparison(comparison, SinkOf(io.Out));
  return EXIT_OK;
}

}  // namespace tarivox::cli
