// tarivox-cli quote: several acts with their fees, the rule of each, the
// total in whole cents and the tariff texts.
#include <memory>

#include "cli/commands.h"
#include "cli/digest.h"
#include "cli/settings.h"
#include "report/text.h"

namespace tarivox::cli {
namespace {

// The acts of the quote file (or standard input) after those of --act.
int ReadQuoteFile(const Arguments& arguments, const Streams& io, report::Quote* quote) {
  Input* in = io.In;
  std::unique_ptr<Input> file;
  if (arguments.Given[OPTION_FILE] && arguments.Value[OPTION_FILE] != "-") {
    file = std::make_unique<Input>();
    in = file.get();
    if (!OpenInput(in, std::string(arguments.Value[OPTION_FILE]).c_str())) {
      Say(io, Failure(io.Lang, in->Name, in->Error));
      return EXIT_IO;
    }
  }
  if (ReadsOwnOutput(io, in)) {
    if (file != nullptr) CloseInput(in);
    return EXIT_USAGE;
  }
  std::string_view line;
  long long number = 0;
  bool lastBlank = true;
  ReadResult result = ReadResult::End;
  // A byte kept past the limit is enough to refuse the line.
  while ((result = ReadRecord(in, report::QUOTE_LINE_LIMIT + 1, &line)) == ReadResult::Record) {
    report::AddQuoteLine(quote, line, ++number);
    lastBlank = report::Trim(line).empty();
  }
  if (file != nullptr) CloseInput(in);
  if (result == ReadResult::Stopped) return EXIT_IO;  // the program ends by the signal
  if (result == ReadResult::Failed) {
    Say(io, report::Text(io.Lang, report::MSG_CLI_NO_QUOTE_WRITTEN, Failure(io.Lang, in->Name, in->Error)));
    return EXIT_IO;
  }
  // An act cut short at the end of a file would be quoted as another one.
  if (in->Unended && !lastBlank) {
    Say(io, report::Text(io.Lang, report::MSG_CLI_LAST_LINE_UNENDED, in->Name, number));
  }
  return EXIT_OK;
}

int Refuse(const Streams& io, const report::Quote& quote) {
  for (const std::string& refused : quote.Refused) Say(io, refused);
  Say(io, report::CountText(io.Lang, static_cast<long long>(quote.Refused.size()), report::MSG_CLI_REFUSED_ONE,
                            report::MSG_CLI_REFUSED_MANY));
  return EXIT_REFUSED;
}

}  // namespace

int RunQuote(const Arguments& arguments, const Streams& io) {
  const report::ReportFormat* format = ChosenFormat(arguments, io);
  if (format == nullptr) return EXIT_USAGE;
  QuoteSettings settings;
  int status = ReadQuoteSettings(arguments, io, &settings);
  if (status != EXIT_OK) return status;
  report::TariffBook book;
  status = LoadTariffs(arguments, io, &book);
  if (status != EXIT_OK) return status;
  CalendarDate given;
  if (arguments.Given[OPTION_DATE] && !PricingDate(arguments, io, &given)) return EXIT_USAGE;
  report::Quote quote;
  quote.Lang = io.Lang;
  for (std::size_t i = 0; i < arguments.Acts.size(); ++i) {
    report::AddArgumentAct(&quote, arguments.Acts[i], static_cast<long long>(i) + 1);
  }
  if (arguments.Given[OPTION_FILE] || arguments.Acts.empty()) {
    status = ReadQuoteFile(arguments, io, &quote);
    if (status != EXIT_OK) return status;
  }
  // The quote's date, which decides its tariff: --date, else the file's
  // "fecha:" line, else today.
  if (arguments.Given[OPTION_DATE]) quote.DateValue = given;
  if (!quote.DateValue.IsSet()) PricingDate(arguments, io, &quote.DateValue);
  quote.Date = IsoDate(quote.DateValue);
  quote.Tariff = TariffFor(book, quote.DateValue, io);
  if (quote.Tariff == nullptr) return EXIT_REFUSED;
  report::PriceQuote(&quote);
  // Trimmed as a label or a quote file's header is, so that one rule holds
  // for every text cell of the CSV exports.
  if (arguments.Given[OPTION_CLIENT]) quote.Client = std::string(report::Trim(report::AsUtf8(arguments.Value[OPTION_CLIENT])));
  if (arguments.Given[OPTION_NUMBER]) quote.Number = std::string(report::Trim(report::AsUtf8(arguments.Value[OPTION_NUMBER])));
  if (!quote.Refused.empty()) return Refuse(io, quote);
  if (quote.Acts.empty()) return UsageError(io, report::Text(io.Lang, report::MSG_CLI_NO_ACTS));
  quote.Preparer = settings.Preparer;
  quote.Firm = settings.Firm;
  report::SetValidity(book, settings.ValidDays, &quote);
  if (!SealQuote(quote, {}, &quote.Sealed)) {
    Say(io, report::Text(io.Lang, report::MSG_CLI_NOT_SEALED));
    return EXIT_IO;
  }
  format->WriteQuote(quote, SinkOf(io.Out));
  return EXIT_OK;
}

}  // namespace tarivox::cli
