#include "cli/quote_table.h"

namespace tarivox::cli {
namespace {

std::vector<std::size_t> ColumnWidths(const TextTable& table) {
  std::vector<std::size_t> widths;
  for (const auto& row : table.Rows) {
    if (widths.size() < row.size()) widths.resize(row.size(), 0);
    for (std::size_t c = 0; c < row.size(); ++c) {
      std::size_t width = DisplayWidth(row[c]);
      if (width > widths[c]) widths[c] = width;
    }
  }
  return widths;
}

}  // namespace

std::size_t DisplayWidth(std::string_view utf8) {
  std::size_t width = 0;
  for (char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++width;
  }
  return width;
}

void WriteTable(const TextTable& table, std::ostream& out) {
  std::vector<std::size_t> widths = ColumnWidths(table);
  for (const auto& row : table.Rows) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c) {
      std::size_t gap = widths[c] - DisplayWidth(row[c]);
      bool right = c < table.RightAligned.size() && table.RightAligned[c];
      if (c > 0) line += "  ";
      if (right) line.append(gap, ' ');
      line += row[c];
      if (!right) line.append(gap, ' ');
    }
    std::size_t end = line.find_last_not_of(' ');
    out << (end == std::string::npos ? std::string() : line.substr(0, end + 1)) << '\n';
  }
}

void WriteWrapped(std::string_view text, std::string_view firstIndent, std::string_view indent,
                  std::size_t width, std::ostream& out) {
  std::string_view lead = firstIndent;
  std::size_t used = DisplayWidth(lead);
  bool lineHasWord = false;
  out << lead;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(' ', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view word = text.substr(at, end - at);
    at = end + 1;
    if (word.empty()) continue;
    std::size_t wordWidth = DisplayWidth(word);
    if (lineHasWord && used + 1 + wordWidth > width) {
      out << '\n' << indent;
      used = DisplayWidth(indent);
      lineHasWord = false;
    }
    if (lineHasWord) {
      out << ' ';
      ++used;
    }
    out << word;
    used += wordWidth;
    lineHasWord = true;
  }
  out << '\n';
}

}  // namespace tarivox::cli
