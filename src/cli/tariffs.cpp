#include "cli/tariffs.h"

#include "cli/commands.h"
#include "cli/files.h"
#include "report/text.h"

namespace tarivox::cli {
namespace {

// An edition is a few kilobytes; a file far larger is no edition, and is
// not read whole into memory to find so.
constexpr std::size_t kEditionFileLimit = std::size_t{1} << 20;

int AddFile(const Streams& io, const std::string& path, report::TariffBook* book) {
  std::string bytes;
  int error = 0;
  const std::string name = report::Echo(path);
  if (!ReadSmallFile(path, kEditionFileLimit, &bytes, &error)) {
    Say(io, Failure(io.Lang, name, error));
    return EXIT_IO;
  }
  std::vector<std::string> reasons;
  if (book->Add(io.Lang, bytes, path, &reasons)) return EXIT_OK;
  Say(io, report::Text(io.Lang, report::MSG_CLI_TARIFF_REFUSED, name));
  for (const std::string& reason : reasons) Say(io, "  " + reason);
  return EXIT_USAGE;
}

}  // namespace

std::string InstalledTariffFolder() {
  const std::string data = UserDataFolder();
  if (data.empty()) return {};
#ifdef _WIN32
  return JoinPath(JoinPath(data, "Tarivox"), "tarifas");
#else
  return JoinPath(JoinPath(data, "tarivox"), "tarifas");
#endif
}

int LoadTariffs(const Arguments& arguments, const Streams& io, report::TariffBook* book) {
  const std::string folder = InstalledTariffFolder();
  std::vector<std::string> names;
  int error = 0;
  if (!folder.empty() && !ListFiles(folder, ".json", &names, &error)) {
    Say(io, Failure(io.Lang, report::Echo(folder), error));
    return EXIT_IO;
  }
  for (const std::string& name : names) {
    if (int status = AddFile(io, JoinPath(folder, name), book); status != EXIT_OK) return status;
  }
  if (!arguments.Given[OPTION_TARIFF]) return EXIT_OK;
  return AddFile(io, std::string(arguments.Value[OPTION_TARIFF]), book);
}

bool PricingDate(const Arguments& arguments, const Streams& io, CalendarDate* date) {
  if (!arguments.Given[OPTION_DATE]) {
    *date = LocalToday();
    return true;
  }
  if (ParseIsoDate(report::Trim(arguments.Value[OPTION_DATE]), date)) return true;
  UsageError(io, report::Text(io.Lang, report::MSG_DATE_NOT_REAL, arguments.Value[OPTION_DATE]));
  return false;
}

const Edition* TariffFor(const report::TariffBook& book, const CalendarDate& date, const Streams& io) {
  const Edition* edition = book.InForceOn(date);
  if (edition == nullptr) Say(io, report::Text(io.Lang, report::MSG_CLI_NO_TARIFF_THEN, IsoDate(date)));
  return edition;
}

const Edition* ChosenTariff(const Arguments& arguments, const Streams& io, report::TariffBook* book, int* status) {
  *status = LoadTariffs(arguments, io, book);
  if (*status != EXIT_OK) return nullptr;
  CalendarDate date;
  if (!PricingDate(arguments, io, &date)) {
    *status = EXIT_USAGE;
    return nullptr;
  }
  const Edition* edition = TariffFor(*book, date, io);
  if (edition == nullptr) *status = EXIT_REFUSED;
  return edition;
}

}  // namespace tarivox::cli
