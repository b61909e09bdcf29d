// The --format option of quote and compare.
#pragma once

#include <string_view>

namespace tarivox::cli {

enum class OutputFormat { Text, Csv, CsvExcel, Json };

// "text", "csv", "csv-excel" or "json"; false for anything else.
bool ParseOutputFormat(std::string_view name, OutputFormat* format);

// What the usage message lists.
inline constexpr char OUTPUT_FORMAT_NAMES[] = "text, csv, csv-excel or json";

// Takes "--name VALUE" or "--name=VALUE" at argv[*index]; advances *index
// past a separate value. False when the argument is another option; when the
// value is missing, *missing is set.
bool TakeOptionValue(int argc, char** argv, int* index, std::string_view name,
                     std::string_view* value, bool* missing);

}  // namespace tarivox::cli
