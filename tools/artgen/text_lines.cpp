#include "text_lines.h"

#include <charconv>
#include <stdexcept>

namespace artgen {

namespace {

bool IsBlank(char character) {
  return character == ' ' || character == '\t' || character == '\r';
}

}  // namespace

std::vector<SourceLine> SplitLines(std::string_view text) {
  std::vector<SourceLine> lines;
  int number = 1;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
    lines.push_back({number, line});
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
    ++number;
  }
  return lines;
}

bool IsBlankOrComment(std::string_view line) {
  for (const char character : line) {
    if (character == '#') return true;
    if (!IsBlank(character)) return false;
  }
  return true;
}

std::vector<std::string_view> SplitWords(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t position = 0;
  while (position < line.size()) {
    while (position < line.size() && IsBlank(line[position])) ++position;
    const std::size_t start = position;
    while (position < line.size() && !IsBlank(line[position])) ++position;
    if (position > start) words.push_back(line.substr(start, position - start));
  }
  return words;
}

int ParseBoundedInt(std::string_view word, int minimum, int maximum,
                    std::string_view source, int lineNumber) {
  int value = 0;
  const char* const last = word.data() + word.size();
  const auto [end, error] = std::from_chars(word.data(), last, value);
  if (error != std::errc{} || end != last || value < minimum || value > maximum) {
    ThrowSourceError(source, lineNumber,
                     "expected a whole number from " + std::to_string(minimum) +
                         " to " + std::to_string(maximum) + ", found '" +
                         std::string(word) + "'");
  }
  return value;
}

void ThrowSourceError(std::string_view source, int lineNumber,
                      std::string_view message) {
  throw std::runtime_error(std::string(source) + ":" + std::to_string(lineNumber) +
                           ": " + std::string(message));
}

}  // namespace artgen
