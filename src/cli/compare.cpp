// tarivox-cli compare: one act under both offices and, where the office has
// it, the social-interest project, side by side.
#include <string>
#include <vector>

#include "cli/calc_options.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/compare_build.h"
#include "cli/compare_text.h"
#include "cli/export_csv.h"
#include "cli/export_json.h"
#include "cli/quote_format.h"

namespace tarivox::cli {
namespace {

constexpr char COMPARE_HELP[] =
    "usage: tarivox-cli compare [--office KLDA|MVT] [--service POS|NAME]\n"
    "                           [--transaction POS|NAME] [--social]\n"
    "                           [--format text|csv|csv-excel|json] AMOUNT\n"
    "\n"
    "Computes one act, as the window does for AMOUNT, under every variant the\n"
    "calculator offers: KLDA, MVT, and MVT with a social-interest project. The\n"
    "selection given (default KLDA, normal project) is the first column, and\n"
    "every other column shows its difference from it. Options and names are\n"
    "those of calc. Commas in AMOUNT must separate thousands.\n"
    "\n"
    "Formats: text (aligned columns), csv (RFC 4180; every figure also in\n"
    "whole cents), csv-excel (the same with \";\" and a UTF-8 byte-order mark,\n"
    "for spreadsheets in locales such as Spanish), json.\n"
    "\n"
    "Exit status: 0 compared, 1 amount refused, transaction without a computed\n"
    "fee or output that could not be written, 2 usage error.\n";

int UsageError(CommandStreams io, const std::string& message) {
  io.Err << "tarivox-cli compare: " << message << "\n(see tarivox-cli compare --help)\n";
  return EXIT_USAGE;
}

// Takes --format out of the arguments, leaving the rest for the calc parser.
bool TakeFormat(int argc, char** argv, OutputFormat* format, std::vector<char*>* rest,
                std::string* error) {
  for (int i = 0; i < argc; ++i) {
    std::string_view value;
    bool missing = false;
    if (!TakeOptionValue(argc, argv, &i, "--format", &value, &missing)) {
      rest->push_back(argv[i]);
      continue;
    }
    if (missing) {
      *error = "--format needs a value";
      return false;
    }
    if (!ParseOutputFormat(value, format)) {
      *error = "unknown format \"" + std::string(value) + "\" (" + OUTPUT_FORMAT_NAMES + ")";
      return false;
    }
  }
  return true;
}

bool AnyComputed(const Comparison& comparison) {
  for (const CompareVariant& variant : comparison.Variants) {
    if (variant.Figures.Computed) return true;
  }
  return false;
}

void WriteComparison(const Comparison& comparison, OutputFormat format, std::ostream& out) {
  switch (format) {
    case OutputFormat::Text: WriteComparisonText(comparison, out); break;
    case OutputFormat::Csv: WriteComparisonCsv(comparison, out, CSV_STANDARD); break;
    case OutputFormat::CsvExcel: WriteComparisonCsv(comparison, out, CSV_EXCEL); break;
    case OutputFormat::Json: WriteComparisonJson(comparison, out); break;
  }
}

}  // namespace

int RunCompare(int argc, char** argv, CommandStreams io) {
  if (WantsHelp(argc, argv)) {
    io.Out << COMPARE_HELP;
    return EXIT_OK;
  }
  OutputFormat format = OutputFormat::Text;
  std::vector<char*> rest;
  std::string error;
  if (!TakeFormat(argc, argv, &format, &rest, &error)) return UsageError(io, error);
  ParsedCalcLine parsed;
  if (!ParseCalcArguments(static_cast<int>(rest.size()), rest.data(), &parsed, &error)) {
    return UsageError(io, error);
  }
  if (!parsed.Extra.empty()) return UsageError(io, "unknown option " + parsed.Extra.front());
  if (parsed.Explain) return UsageError(io, "--explain belongs to calc; compare shows every rule");
  CalcOptions reference = parsed.Selection;
  if (reference.Social && reference.Office == 0) {
    // KLDA has no social-interest option; its column is the normal one.
    io.Err << "tarivox-cli compare: --social has no effect at KLDA\n";
    reference.Social = false;
  }
  Comparison comparison;
  if (!BuildComparison(reference, parsed.TypedAmount, &comparison, &error)) {
    io.Err << "tarivox-cli compare: " << error << "\n";
    return EXIT_REFUSED;
  }
  WriteComparison(comparison, format, io.Out);
  if (!io.Out.flush()) {
    io.Err << "tarivox-cli compare: the comparison could not be written\n";
    return EXIT_REFUSED;
  }
  if (!AnyComputed(comparison)) {
    io.Err << "tarivox-cli compare: this transaction is explained only; it has no computed fee\n";
    return EXIT_REFUSED;
  }
  return EXIT_OK;
}

}  // namespace tarivox::cli
