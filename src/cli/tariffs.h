// The tariff editions a run of tarivox-cli prices with: the built-in one,
// those the user installed (tarivox-cli tariff install) and --tariff's
// file; and the day a command prices on (--date, or today).
#pragma once

#include "catalogue/calendar.h"
#include "report/tariff_book.h"

namespace tarivox::cli {

struct Arguments;
struct Streams;

// Where installed editions are kept: tarivox/tarifas in the user's data
// folder ($XDG_DATA_HOME, %APPDATA%\Tarivox\tarifas on Windows); empty
// when the system names no such folder.
std::string InstalledTariffFolder();

// EXIT_OK with every edition known, or the status after saying why:
// EXIT_IO for a file that cannot be read, EXIT_USAGE for one that is no
// whole edition (nothing is priced with part of one).
int LoadTariffs(const Arguments& arguments, const Streams& io, report::TariffBook* book);

// The day --date names, or today (the local date) when not given; false
// after a usage error for a date that does not exist.
bool PricingDate(const Arguments& arguments, const Streams& io, CalendarDate* date);

// The edition in force on the date, or null after saying that none is.
const Edition* TariffFor(const report::TariffBook& book, const CalendarDate& date, const Streams& io);

// LoadTariffs, PricingDate and TariffFor at once, for a command that
// prices on one day: the edition, or null with *status to end with.
const Edition* ChosenTariff(const Arguments& arguments, const Streams& io, report::TariffBook* book, int* status);

}  // namespace tarivox::cli
