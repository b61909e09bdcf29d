#include "cli/settings.h"

#include <cerrno>

#include "cli/commands.h"
#include "cli/files.h"
#include "report/tariff_book.h"
#include "report/text.h"

namespace tarivox::cli {
namespace {

// A few lines; a far larger file is not read whole to find it is no such.
constexpr std::size_t kSettingsFileLimit = 64 * 1024;

std::string DaysRule(const Streams& io, std::string_view where, std::string_view text) {
  return report::Text(io.Lang, report::MSG_CLI_VALID_DAYS, where, text, 0LL, static_cast<long long>(report::QUOTE_VALID_DAYS_LIMIT));
}

// One line of the file: false after saying what is wrong with it.
bool ReadLine(const Streams& io, const std::string& name, std::string_view line, long long number,
              QuoteSettings* settings) {
  line = report::Trim(line);
  if (line.empty() || line.front() == '#') return true;
  const std::size_t colon = line.find(':');
  const std::string key = report::FoldName(report::AsUtf8(line.substr(0, colon)));
  const std::string value(report::Trim(report::AsUtf8(colon == std::string_view::npos ? "" : line.substr(colon + 1))));
  const std::string where = report::Text(io.Lang, report::MSG_CLI_FILE_LINE, name, number);
  if (colon != std::string_view::npos && (key == "preparado por" || key == "prepared by")) {
    settings->Preparer = value;
  } else if (colon != std::string_view::npos && (key == "despacho" || key == "firm")) {
    settings->Firm = value;
  } else if (colon != std::string_view::npos && (key == "dias de validez" || key == "valid days")) {
    if (report::ReadValidDays(value, &settings->ValidDays)) return true;
    Say(io, DaysRule(io, where, value));
    return false;
  } else {
    Say(io, report::Text(io.Lang, report::MSG_CLI_NOT_A_SETTING, where, line));
    return false;
  }
  return true;
}

int ReadFile(const Streams& io, QuoteSettings* settings) {
  const std::string path = SettingsPath();
  std::string bytes;
  int error = 0;
  if (path.empty()) return EXIT_OK;
  if (!ReadSmallFile(path, kSettingsFileLimit, &bytes, &error)) {
    if (error == ENOENT) return EXIT_OK;
    Say(io, Failure(io.Lang, report::Echo(path), error));
    return EXIT_IO;
  }
  long long number = 0;
  for (std::size_t at = 0; at < bytes.size();) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::string_view line(bytes.data() + at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!ReadLine(io, report::Echo(path), line, ++number, settings)) return EXIT_USAGE;
    at = end + 1;
  }
  return EXIT_OK;
}

}  // namespace

std::string SettingsPath() {
  const std::string folder = UserConfigFolder();
  if (folder.empty()) return {};
#ifdef _WIN32
  return JoinPath(JoinPath(folder, "Tarivox"), "ajustes");
#else
  return JoinPath(JoinPath(folder, "tarivox"), "ajustes");
#endif
}

int ReadQuoteSettings(const Arguments& arguments, const Streams& io, QuoteSettings* settings) {
  if (int status = ReadFile(io, settings); status != EXIT_OK) return status;
  const auto text = [&arguments](Option option) {
    return std::string(report::Trim(report::AsUtf8(arguments.Value[option])));
  };
  if (arguments.Given[OPTION_PREPARER]) settings->Preparer = text(OPTION_PREPARER);
  if (arguments.Given[OPTION_FIRM]) settings->Firm = text(OPTION_FIRM);
  if (arguments.Given[OPTION_VALID_DAYS] && !report::ReadValidDays(arguments.Value[OPTION_VALID_DAYS], &settings->ValidDays)) {
    return UsageError(io, DaysRule(io, "--valid-days", arguments.Value[OPTION_VALID_DAYS]));
  }
  return EXIT_OK;
}

}  // namespace tarivox::cli
