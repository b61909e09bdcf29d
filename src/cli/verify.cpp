// tarivox-cli verify: a quote exported as JSON checked against the tariff
// and its verification code; status 0 when everything agrees, 1 naming
// every act and figure that does not.
#include "cli/commands.h"
#include "cli/digest.h"
#include "cli/files.h"
#include "report/quote_check.h"
#include "report/text.h"

namespace tarivox::cli {

int RunVerify(const Arguments& arguments, const Streams& io) {
  if (!arguments.HasOperand) return UsageError(io, report::Text(io.Lang, report::MSG_CLI_VERIFY_NEEDS_FILE));
  report::TariffBook book;
  if (int status = LoadTariffs(arguments, io, &book); status != EXIT_OK) return status;
  const std::string path(arguments.Operand);
  const std::string name = report::Echo(path);
  std::string bytes;
  int error = 0;
  if (!ReadSmallFile(path, report::QUOTE_CHECK_LIMIT, &bytes, &error)) {
    Say(io, Failure(io.Lang, name, error));
    return EXIT_IO;
  }
  report::QuoteCheck check;
  std::string reason;
  if (!report::CheckQuoteDocument(io.Lang, book, bytes, &check, &reason)) {
    Say(io, name + ": " + reason);
    return EXIT_REFUSED;
  }
  report::Seal seal;
  if (!SealQuote(check.Recomputed, check.ActNumbers, &seal)) {
    Say(io, report::Text(io.Lang, report::MSG_CLI_NOT_CHECKED));
    return EXIT_IO;
  }
  report::CompareSeal(io.Lang, seal, &check);
  std::string out;
  for (const std::string& difference : check.Differences) out += difference + "\n";
  Write(io.Out, out + report::CheckSummary(io.Lang, check) + "\n");
  return report::Agrees(check) ? EXIT_OK : EXIT_REFUSED;
}

}  // namespace tarivox::cli
