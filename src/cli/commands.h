// The tarivox-cli commands and what they share: exit statuses, the streams,
// messages on standard error, and the options every command reads alike.
#pragma once

#include <string>
#include <string_view>

#include "cli/io.h"
#include "cli/options.h"
#include "report/report.h"
#include "report/selection.h"

namespace tarivox::cli {

enum ExitStatus : int {
  EXIT_OK = 0,       // everything asked for was done
  EXIT_REFUSED = 1,  // some input could not be computed
  EXIT_USAGE = 2,    // the command line itself is wrong
  EXIT_IO = 3,       // a read or write failed, or memory ran out: the output is cut or missing
};

struct Streams {
  Input* In;
  Output* Out;
  Output* Err;
  const char* Command;  // for messages; null before a command is known
};

// "tarivox-cli COMMAND: message" on standard error, at once.
void Say(const Streams& io, std::string_view message);
// Says what is wrong with the command line and where help is; EXIT_USAGE.
int UsageError(const Streams& io, std::string_view message);

// --office, --service, --transaction and --social; the first of each list
// when not given. False, with *error, for a name or position not found.
bool ResolveSelection(const Arguments& arguments, Selection* what, std::string* error);
// --format, text when not given; null, after saying so, for an unknown one.
const report::ReportFormat* ChosenFormat(const Arguments& arguments, const Streams& io);

int RunCalc(const Arguments& arguments, const Streams& io);
int RunList(const Arguments& arguments, const Streams& io);
int RunBatch(const Arguments& arguments, const Streams& io);
int RunQuote(const Arguments& arguments, const Streams& io);
int RunCompare(const Arguments& arguments, const Streams& io);

extern const char CALC_HELP[];
extern const char LIST_HELP[];
extern const char BATCH_HELP[];
extern const char QUOTE_HELP[];
extern const char COMPARE_HELP[];

}  // namespace tarivox::cli
