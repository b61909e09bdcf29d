// Line-by-line reading of the artwork's text sources, with errors that name
// the file and line so that a person editing a pixel map finds the mistake.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace artgen {

struct SourceLine {
  int number;             // 1-based line number in the source
  std::string_view text;  // without the line break and trailing blanks
};

// Splits text into lines; accepts "\n" and "\r\n" line ends.
std::vector<SourceLine> SplitLines(std::string_view text);

// True for a line that carries nothing: empty or a '#' comment.
bool IsBlankOrComment(std::string_view line);

// Whitespace-separated words of a line.
std::vector<std::string_view> SplitWords(std::string_view line);

// Reads a decimal integer in [minimum, maximum]; throws std::runtime_error otherwise.
int ParseBoundedInt(std::string_view word, int minimum, int maximum,
                    std::string_view source, int lineNumber);

// Throws std::runtime_error with "<source>:<line>: <message>".
[[noreturn]] void ThrowSourceError(std::string_view source, int lineNumber,
                                   std::string_view message);

}  // namespace artgen
