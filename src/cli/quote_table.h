// Plain-text layout for quotes and comparisons: columns aligned by the
// number of characters (not bytes) of UTF-8 text, and paragraphs wrapped.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tarivox::cli {

struct TextTable {
  std::vector<std::vector<std::string>> Rows;  // the first row is the heading
  std::vector<bool> RightAligned;              // per column; figures align right
};

// Characters in UTF-8 text: every byte that does not continue a sequence.
std::size_t DisplayWidth(std::string_view utf8);

// Writes the rows with two blanks between columns and no trailing blanks.
void WriteTable(const TextTable& table, std::ostream& out);

// Writes text word by word in lines of at most width characters, each
// starting with indent (the first with firstIndent).
void WriteWrapped(std::string_view text, std::string_view firstIndent, std::string_view indent,
                  std::size_t width, std::ostream& out);

}  // namespace tarivox::cli
