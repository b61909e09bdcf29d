// Quotes and comparisons as JSON (UTF-8), one object per run. Field names
// are stable; the README lists them.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace tarivox::cli {

struct Quote;
struct Comparison;

// A JSON string literal, quotes included.
std::string JsonString(std::string_view utf8);

void WriteQuoteJson(const Quote& quote, std::ostream& out);
void WriteComparisonJson(const Comparison& comparison, std::ostream& out);

}  // namespace tarivox::cli
