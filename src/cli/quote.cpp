// tarivox-cli quote: several acts with their fees, the rule of each, the
// total in whole cents and the tariff texts.
#include <algorithm>
#include <fstream>
#include <string>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/export_csv.h"
#include "cli/export_json.h"
#include "cli/quote_build.h"
#include "cli/quote_format.h"
#include "cli/quote_input.h"
#include "cli/quote_text.h"

namespace tarivox::cli {
namespace {

constexpr char QUOTE_HELP[] =
    "usage: tarivox-cli quote [--act ACT]... [--file PATH|-] [--client TEXT]\n"
    "                         [--date TEXT] [--format text|csv|csv-excel|json]\n"
    "\n"
    "Quotes several acts: for each the fee as the window computes it and the\n"
    "rule behind it, then the total (summed in whole cents) and the tariff\n"
    "texts as numbered notes.\n"
    "\n"
    "An act is OFFICE:SERVICE:TRANSACTION[:social]=AMOUNT[|LABEL], with names\n"
    "(without regard to case or accents) or positions as in calc, e.g.\n"
    "  --act \"KLDA:inscripcion:transferencias=150,000 | Compraventa\"\n"
    "A transaction that is only explained takes no amount (\"KLDA:4:0\"); it is\n"
    "listed with its tariff text, marked not computed and left out of the total.\n"
    "Commas in amounts must separate thousands; the decimal point is \".\".\n"
    "\n"
    "--file reads one act a line (\"-\" is standard input, also read when no act\n"
    "is given); blank lines and lines starting with # are skipped, and lines\n"
    "\"client: ...\" and \"date: ...\" set the quote's client reference and date\n"
    "(--client and --date take precedence).\n"
    "\n"
    "Formats: text (aligned columns), csv (RFC 4180; every figure also in\n"
    "whole cents), csv-excel (the same with \";\" and a UTF-8 byte-order mark,\n"
    "for spreadsheets in locales such as Spanish), json.\n"
    "\n"
    "Exit status: 0 quote written, 1 some act refused (each is named on standard\n"
    "error with its line; nothing is written) or the output could not be\n"
    "written, 2 usage error.\n";

struct QuoteArguments {
  std::vector<std::string> Acts;
  bool HasFile = false;
  std::string File;
  std::string Client;
  std::string Date;
  OutputFormat Format = OutputFormat::Text;
};

int UsageError(CommandStreams io, const std::string& message) {
  io.Err << "tarivox-cli quote: " << message << "\n(see tarivox-cli quote --help)\n";
  return EXIT_USAGE;
}

bool ApplyOption(std::string_view option, std::string_view value, QuoteArguments* arguments,
                 std::string* error) {
  if (option == "--act") {
    arguments->Acts.emplace_back(value);
  } else if (option == "--file") {
    if (arguments->HasFile) {
      *error = "only one --file may be given";
      return false;
    }
    arguments->HasFile = true;
    arguments->File = std::string(value);
  } else if (option == "--client") {
    arguments->Client = OneLine(AsUtf8(value));
  } else if (option == "--date") {
    arguments->Date = OneLine(AsUtf8(value));
  } else if (!ParseOutputFormat(value, &arguments->Format)) {
    *error = "unknown format \"" + std::string(value) + "\" (" + OUTPUT_FORMAT_NAMES + ")";
    return false;
  }
  return true;
}

// Every argument of quote is an option with a value; returns false with
// *error for a bad command line.
bool ParseArguments(int argc, char** argv, QuoteArguments* arguments, std::string* error) {
  const char* const names[] = {"--act", "--file", "--client", "--date", "--format"};
  for (int i = 0; i < argc; ++i) {
    std::string_view value;
    bool missing = false;
    const char* taken = nullptr;
    for (const char* name : names) {
      if (TakeOptionValue(argc, argv, &i, name, &value, &missing)) {
        taken = name;
        break;
      }
    }
    if (taken == nullptr) {
      *error = "unexpected argument \"" + std::string(argv[i]) + "\"";
      return false;
    }
    if (missing) {
      *error = std::string(taken) + " needs a value";
      return false;
    }
    if (!ApplyOption(taken, value, arguments, error)) return false;
  }
  return true;
}

void ParseArgumentActs(const QuoteArguments& arguments, QuoteInput* input) {
  long long number = 0;
  for (const std::string& actText : arguments.Acts) {
    ++number;
    ActRequest act;
    std::string reason;
    std::string source = "--act " + std::to_string(number);
    if (ParseActText(AsUtf8(actText), &act, &reason)) {
      act.Source = source;
      act.Order = number;
      input->Acts.push_back(std::move(act));
    } else {
      input->Refused.push_back({source, reason, number});
    }
  }
}

// The file's acts follow those of the command line.
bool ReadFileActs(const QuoteArguments& arguments, CommandStreams io, QuoteInput* input) {
  QuoteInput fromFile;
  long long orderBase = static_cast<long long>(arguments.Acts.size());
  if (arguments.File == "-" || !arguments.HasFile) {
    ReadQuoteLines(io.In, orderBase, &fromFile);
  } else {
    std::ifstream file(arguments.File, std::ios::binary);
    if (!file) return false;
    ReadQuoteLines(file, orderBase, &fromFile);
  }
  for (ActRequest& act : fromFile.Acts) input->Acts.push_back(std::move(act));
  for (RefusedAct& refused : fromFile.Refused) input->Refused.push_back(std::move(refused));
  if (input->Client.empty()) input->Client = fromFile.Client;
  if (input->Date.empty()) input->Date = fromFile.Date;
  return true;
}

int ReportRefused(std::vector<RefusedAct> refused, CommandStreams io) {
  std::stable_sort(refused.begin(), refused.end(),
                   [](const RefusedAct& a, const RefusedAct& b) { return a.Order < b.Order; });
  for (const RefusedAct& act : refused) {
    io.Err << "tarivox-cli quote: " << act.Source << ": " << act.Reason << "\n";
  }
  io.Err << "tarivox-cli quote: " << refused.size()
         << (refused.size() == 1 ? " input refused" : " inputs refused")
         << "; no quote and no total written\n";
  return EXIT_REFUSED;
}

void WriteQuote(const Quote& quote, OutputFormat format, std::ostream& out) {
  switch (format) {
    case OutputFormat::Text: WriteQuoteText(quote, out); break;
    case OutputFormat::Csv: WriteQuoteCsv(quote, out, CSV_STANDARD); break;
    case OutputFormat::CsvExcel: WriteQuoteCsv(quote, out, CSV_EXCEL); break;
    case OutputFormat::Json: WriteQuoteJson(quote, out); break;
  }
}

}  // namespace

int RunQuote(int argc, char** argv, CommandStreams io) {
  if (WantsHelp(argc, argv)) {
    io.Out << QUOTE_HELP;
    return EXIT_OK;
  }
  QuoteArguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, &arguments, &error)) return UsageError(io, error);
  QuoteInput input;
  input.Client = arguments.Client;
  input.Date = arguments.Date;
  ParseArgumentActs(arguments, &input);
  if ((arguments.HasFile || arguments.Acts.empty()) && !ReadFileActs(arguments, io, &input)) {
    return UsageError(io, "cannot read \"" + arguments.File + "\"");
  }
  if (input.Acts.empty() && input.Refused.empty()) return UsageError(io, "no acts to quote");
  Quote quote;
  std::vector<RefusedAct> refused = input.Refused;
  if (!BuildQuote(input, &quote, &refused) || !refused.empty()) return ReportRefused(refused, io);
  WriteQuote(quote, arguments.Format, io.Out);
  // A quote cut short by a full disk or a closed pipe must not pass for one.
  if (!io.Out.flush()) {
    io.Err << "tarivox-cli quote: the quote could not be written\n";
    return EXIT_REFUSED;
  }
  return EXIT_OK;
}

}  // namespace tarivox::cli
