// The tarivox-cli commands and what they share: exit statuses, the streams,
// messages on standard error, and the options every command reads alike.
#pragma once

#include <string>
#include <string_view>

#include "cli/io.h"
#include "cli/options.h"
#include "report/act.h"
#include "cli/tariffs.h"
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
  report::Language Lang;  // of every text the command writes
};

// "tarivox-cli COMMAND: message" on standard error, at once.
void Say(const Streams& io, std::string_view message);
// Says what is wrong with the command line and where help is; EXIT_USAGE.
int UsageError(const Streams& io, std::string_view message);

// --office, --service, --transaction and --social in the edition; the
// first of each list when not given. False, with *error, for a name or
// position not found.
bool ResolveSelection(const Arguments& arguments, report::Language language, const Edition& edition, Selection* what,
                      std::string* error);

// The act the options and the operands ask for, not yet priced: the
// operand is the amount or the quantity, as the transaction takes, and
// --value the project's value. EXIT_OK, or the status to end with after
// saying why: EXIT_USAGE for a name not found or an operand missing or not
// wanted, EXIT_REFUSED for a project kind the office or the service does
// not offer (one rule for every command).
int ReadOperandAct(const Arguments& arguments, const Streams& io, const Edition& edition, report::Act* act);
// True, after saying so (a usage error), when the input is the very file
// standard output writes to.
bool ReadsOwnOutput(const Streams& io, const Input* in);
// --format, text when not given; null, after saying so, for an unknown one.
const report::ReportFormat* ChosenFormat(const Arguments& arguments, const Streams& io);

int RunCalc(const Arguments& arguments, const Streams& io);
int RunList(const Arguments& arguments, const Streams& io);
int RunBatch(const Arguments& arguments, const Streams& io);
int RunQuote(const Arguments& arguments, const Streams& io);
int RunCompare(const Arguments& arguments, const Streams& io);
int RunTariff(const Arguments& arguments, const Streams& io);
int RunVerify(const Arguments& arguments, const Streams& io);

}  // namespace tarivox::cli
