// What an office sets once for every quote it issues: who prepares them,
// the firm, and for how many days a quote holds. Kept in a small text file
// of "name: value" lines ($XDG_CONFIG_HOME/tarivox/ajustes, or
// %APPDATA%\Tarivox\ajustes on Windows); the options of a run go before it.
#pragma once

#include <string>

#include "report/quote.h"

namespace tarivox::cli {

struct Arguments;
struct Streams;

struct QuoteSettings {
  std::string Preparer;
  std::string Firm;
  int ValidDays = report::QUOTE_VALID_DAYS;
};

// Where the settings file is; empty when the system names no folder.
std::string SettingsPath();

// The file's settings (none when there is no file), then the options'.
// EXIT_OK, or after saying what is wrong: EXIT_IO for a file that cannot be
// read, EXIT_USAGE for a line or an option that is not a setting.
int ReadQuoteSettings(const Arguments& arguments, const Streams& io, QuoteSettings* settings);

}  // namespace tarivox::cli
