// tarivox-cli quote: several acts with their fees, the rule of each, the
// total in whole cents and the tariff texts.
#include <memory>

#include "cli/commands.h"
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
      Say(io, Failure(in->Name, in->Error));
      return EXIT_IO;
    }
  }
  std::string_view line;
  long long number = 0;
  ReadResult result = ReadResult::End;
  // A byte kept past the limit is enough to refuse the line.
  while ((result = ReadRecord(in, report::QUOTE_LINE_LIMIT + 1, &line)) == ReadResult::Record) {
    report::AddQuoteLine(quote, line, ++number);
  }
  if (file != nullptr) CloseInput(in);
  if (result != ReadResult::Failed) return EXIT_OK;
  Say(io, Failure(in->Name, in->Error) + "; no quote written");
  return EXIT_IO;
}

int Refuse(const Streams& io, const report::Quote& quote) {
  for (const std::string& refused : quote.Refused) Say(io, refused);
  Say(io, std::to_string(quote.Refused.size()) + (quote.Refused.size() == 1 ? " input refused" : " inputs refused") +
              "; no quote and no total written");
  return EXIT_REFUSED;
}

}  // namespace

const char QUOTE_HELP[] =
    "usage: tarivox-cli quote [--act ACT]... [--file PATH|-] [--client TEXT]\n"
    "                         [--date TEXT] [--format text|csv|csv-excel|json]\n"
    "\n"
    "Quotes several acts: for each the fee as the window computes it and the rule\n"
    "behind it, then the total in whole cents and the tariff texts as notes.\n"
    "An act is OFFICE:SERVICE:TRANSACTION[:social]=AMOUNT[|LABEL], with names or\n"
    "positions as in calc: --act \"KLDA:inscripcion:transferencias=150,000 | Venta\".\n"
    "A transaction that is only explained takes no amount (\"KLDA:4:0\") and is\n"
    "left out of the total. Amounts: an optional +, commas only between\n"
    "thousands, the decimal point \".\".\n"
    "--file reads one act a line (\"-\", or no act given: standard input); blank\n"
    "lines and lines starting with # are skipped, \"client: ...\" and \"date: ...\"\n"
    "head the quote (--client and --date take precedence).\n"
    "Formats: text, csv (RFC 4180; figures also in whole cents), csv-excel (\";\"\n"
    "and a byte-order mark, for spreadsheets in locales such as Spanish), json.\n"
    "Exit status 1: some act refused (each is named on standard error; nothing\n"
    "is written).\n";

int RunQuote(const Arguments& arguments, const Streams& io) {
  const report::ReportFormat* format = ChosenFormat(arguments, io);
  if (format == nullptr) return EXIT_USAGE;
  report::Quote quote;
  for (std::size_t i = 0; i < arguments.Acts.size(); ++i) {
    report::AddArgumentAct(&quote, arguments.Acts[i], static_cast<long long>(i) + 1);
  }
  if (arguments.Given[OPTION_FILE] || arguments.Acts.empty()) {
    int status = ReadQuoteFile(arguments, io, &quote);
    if (status != EXIT_OK) return status;
  }
  if (arguments.Given[OPTION_CLIENT]) quote.Client = report::OneLine(report::AsUtf8(arguments.Value[OPTION_CLIENT]));
  if (arguments.Given[OPTION_DATE]) quote.Date = report::OneLine(report::AsUtf8(arguments.Value[OPTION_DATE]));
  if (!quote.Refused.empty()) return Refuse(io, quote);
  if (quote.Acts.empty()) return UsageError(io, "no acts to quote");
  format->WriteQuote(quote, SinkOf(io.Out));
  return EXIT_OK;
}

}  // namespace tarivox::cli
