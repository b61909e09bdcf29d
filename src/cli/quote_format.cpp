#include "cli/quote_format.h"

namespace tarivox::cli {

bool ParseOutputFormat(std::string_view name, OutputFormat* format) {
  if (name == "text") *format = OutputFormat::Text;
  else if (name == "csv") *format = OutputFormat::Csv;
  else if (name == "csv-excel") *format = OutputFormat::CsvExcel;
  else if (name == "json") *format = OutputFormat::Json;
  else return false;
  return true;
}

bool TakeOptionValue(int argc, char** argv, int* index, std::string_view name,
                     std::string_view* value, bool* missing) {
  std::string_view argument = argv[*index];
  *missing = false;
  if (argument == name) {
    if (*index + 1 >= argc) {
      *missing = true;
      return true;
    }
    *value = argv[++*index];
    return true;
  }
  if (argument.size() > name.size() && argument.substr(0, name.size()) == name &&
      argument[name.size()] == '=') {
    *value = argument.substr(name.size() + 1);
    return true;
  }
  return false;
}

}  // namespace tarivox::cli
