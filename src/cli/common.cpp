#include "cli/commands.h"

#include "report/text.h"

namespace tarivox::cli {

void Say(const Streams& io, std::string_view message) {
  std::string prefix = io.Command != nullptr ? std::string("tarivox-cli ") + io.Command : "tarivox-cli";
  Write(io.Err, prefix + ": " + std::string(message) + "\n");
  Flush(io.Err);
}

int UsageError(const Streams& io, std::string_view message) {
  Say(io, report::Text(io.Lang, report::MSG_CLI_SEE_HELP, message, io.Command));
  return EXIT_USAGE;
}

bool ResolveSelection(const Arguments& arguments, report::Language language, const Edition& edition, Selection* what,
                      std::string* error) {
  auto given = [&arguments](Option option) {
    return arguments.Given[option] ? report::AsUtf8(arguments.Value[option]) : std::string("0");
  };
  what->SocialInterest = arguments.Given[OPTION_SOCIAL];
  return report::ResolveSelection(language, edition, given(OPTION_OFFICE), given(OPTION_SERVICE),
                                  given(OPTION_TRANSACTION), what, error);
}

int ReadOperandAct(const Arguments& arguments, const Streams& io, const Edition& edition, report::Act* act) {
  std::string reason;
  if (!ResolveSelection(arguments, io.Lang, edition, &act->What, &reason)) return UsageError(io, reason);
  act->Tariff = &edition;
  act->HasTyped = arguments.HasOperand;
  act->Typed = report::AsUtf8(arguments.Operand);
  act->HasProjectValue = arguments.Given[OPTION_VALUE];
  act->ProjectValueTyped = report::AsUtf8(arguments.Value[OPTION_VALUE]);
  if (!report::CheckActValue(io.Lang, *act, &reason)) return UsageError(io, reason);
  if (report::CheckProjectKind(io.Lang, edition, act->What, &reason)) return EXIT_OK;
  Say(io, reason);
  return EXIT_REFUSED;
}

bool ReadsOwnOutput(const Streams& io, const Input* in) {
  if (!SameRegularFile(in->Fd, io.Out->Fd)) return false;
  UsageError(io, report::Text(io.Lang, report::MSG_CLI_INPUT_IS_OUTPUT, in->Name));
  return true;
}

const report::ReportFormat* ChosenFormat(const Arguments& arguments, const Streams& io) {
  std::string_view name = arguments.Given[OPTION_FORMAT] ? arguments.Value[OPTION_FORMAT] : "text";
  const report::ReportFormat* format = report::FindReportFormat(name);
  if (format == nullptr) {
    UsageError(io, report::Text(io.Lang, report::MSG_CLI_UNKNOWN_FORMAT, name, report::Text(io.Lang, report::MSG_CLI_FORMATS)));
  }
  return format;
}

}  // namespace tarivox::cli
