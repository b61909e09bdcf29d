// Pieces every tarivox-cli command shares: exit statuses, text conversion for
// the terminal, and finding offices, services and transactions by name or
// position.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace tarivox::cli {

enum ExitStatus : int {
  EXIT_OK = 0,       // everything asked for was done
  EXIT_REFUSED = 1,  // some input could not be computed
  EXIT_USAGE = 2,    // the command line itself is wrong
};

// Catalogue texts are code page 1252; the terminal speaks UTF-8.
std::string Cp1252ToUtf8(std::string_view text);

// Lower case without accents, for matching what people type ("inscripcion"
// finds "Inscripción"). Takes UTF-8.
std::string FoldName(std::string_view utf8);

// A choice among the catalogue's lists. On failure *error says why, listing
// the choices, and the function returns false.
bool ResolveOffice(std::string_view text, int* office, std::string* error);
bool ResolveService(std::string_view text, int* service, std::string* error);
// Positions and names of the transaction list as loaded for service and
// office (at office 1 "Certificación" starts at "Extractadas").
bool ResolveTransaction(std::string_view text, int service, int office, int* transaction,
                        std::string* error);

// Parses a whole non-negative decimal number of list position ("0", "12").
bool ParsePosition(std::string_view text, int* position);

// True for "--help" or "-h" anywhere in the arguments.
bool WantsHelp(int argc, char** argv);

// Everything one computation needs, as given on a command line.
struct CalcOptions {
  int Office = 0;
  int Service = 0;
  int Transaction = 0;
  bool Social = false;
};

// The tariff text for the selection, with the social-interest note where the
// window shows it, in UTF-8.
std::string DescriptionUtf8(const CalcOptions& options);

}  // namespace tarivox::cli
