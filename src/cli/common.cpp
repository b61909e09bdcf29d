#include "cli/commands.h"

#include "report/text.h"

namespace tarivox::cli {

void Say(const Streams& io, std::string_view message) {
  std::string prefix = io.Command != nullptr ? std::string("tarivox-cli ") + io.Command : "tarivox-cli";
  Write(io.Err, prefix + ": " + std::string(message) + "\n");
  Flush(io.Err);
}

int UsageError(const Streams& io, std::string_view message) {
  Say(io, std::string(message) + "\n(see tarivox-cli " + io.Command + " --help)");
  return EXIT_USAGE;
}

bool ResolveSelection(const Arguments& arguments, Selection* what, std::string* error) {
  auto given = [&arguments](Option option) {
    return arguments.Given[option] ? report::AsUtf8(arguments.Value[option]) : std::string("0");
  };
  what->SocialInterest = arguments.Given[OPTION_SOCIAL];
  return report::ResolveSelection(given(OPTION_OFFICE), given(OPTION_SERVICE), given(OPTION_TRANSACTION), what,
                                  error);
}

const report::ReportFormat* ChosenFormat(const Arguments& arguments, const Streams& io) {
  std::string_view name = arguments.Given[OPTION_FORMAT] ? arguments.Value[OPTION_FORMAT] : "text";
  const report::ReportFormat* format = report::FindReportFormat(name);
  if (format == nullptr) {
    UsageError(io, "unknown format \"" + report::AsUtf8(name) + "\" (" + report::REPORT_FORMAT_NAMES + ")");
  }
  return format;
}

}  // namespace tarivox::cli
