// tarivox-cli compare: one act under both offices and, where the office has
// it, the social-interest project, side by side.
#include "cli/commands.h"

namespace tarivox::cli {

const char COMPARE_HELP[] =
    "usage: tarivox-cli compare [--office KLDA|MVT] [--service POS|NAME]\n"
    "                           [--transaction POS|NAME] [--social]\n"
    "                           [--format text|csv|csv-excel|json] AMOUNT\n"
    "\n"
    "Computes one act, as the window does for AMOUNT, under every variant the\n"
    "calculator offers: KLDA, MVT, and MVT with a social-interest project. The\n"
    "selection given (default KLDA, normal project) is the first column, and\n"
    "every other column shows its difference from it. Options and names are\n"
    "those of calc; formats those of quote. Commas in AMOUNT must separate\n"
    "thousands.\n"
    "Exit status 1: amount refused, or a transaction without a computed fee.\n";

int RunCompare(const Arguments& arguments, const Streams& io) {
  const report::ReportFormat* format = ChosenFormat(arguments, io);
  if (format == nullptr) return EXIT_USAGE;
  Selection reference{};
  std::string error;
  if (!ResolveSelection(arguments, &reference, &error)) return UsageError(io, error);
  if (reference.SocialInterest && reference.OfficeIndex == 0) {
    // KLDA has no social-interest option; its column is the normal one.
    Say(io, "--social has no effect at KLDA");
    reference.SocialInterest = false;
  }
  report::Comparison comparison;
  if (!report::BuildComparison(reference, arguments.Amount, &comparison, &error)) {
    Say(io, error);
    return EXIT_REFUSED;
  }
  format->WriteComparison(comparison, SinkOf(io.Out));
  if (comparison.Variants.front().Figures.Computed) return EXIT_OK;
  Say(io, "this transaction is explained only; it has no computed fee");
  return EXIT_REFUSED;
}

}  // namespace tarivox::cli
