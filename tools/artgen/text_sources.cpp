// Reading the text sources line by line, with errors that name
// the file and line so that a person editing a source finds the mistake.
#include <charconv>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "artgen.h"

namespace artgen {

namespace {

constexpr const char* BLANKS = " \t\r";

std::vector<std::string_view> SplitWords(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t start = text.find_first_not_of(BLANKS);
  while (start != std::string_view::npos) {
    const std::size_t end = text.find_first_of(BLANKS, start);
    words.push_back(text.substr(start, end - start));
    start = text.find_first_not_of(BLANKS, end);
  }
  return words;
}

int FindColour(const PixelMap& map, char symbol) {
  for (std::size_t index = 0; index < map.colours.size(); ++index) {
    if (map.colours[index].symbol == symbol) return static_cast<int>(index);
  }
  return -1;
}

//   colour <symbol> transparent
//   colour <symbol> <RRGGBB> <classic colour name>
MapColour ReadColourLine(const PixelMap& map, const SourceLine& line) {
  const std::vector<std::string_view>& words = line.words;
  if (words.size() < 3 || words[1].size() != 1) {
    Fail(line, "expected 'colour <symbol> transparent' or "
               "'colour <symbol> <RRGGBB> <classic colour>'");
  }
  MapColour colour{words[1][0], words.size() == 3 && words[2] == "transparent", {0, 0, 0}, 0};
  if (FindColour(map, colour.symbol) >= 0) {
    Fail(line, std::string("symbol '") + colour.symbol + "' declared twice");
  }
  if (colour.transparent) return colour;
  unsigned value = 0;
  const char* const last = words[2].data() + words[2].size();
  const auto [end, error] = std::from_chars(words[2].data(), last, value, 16);
  if (words.size() != 4 || words[2].size() != 6 || error != std::errc{} || end != last) {
    Fail(line, "expected a colour written as RRGGBB");
  }
  colour.fullColour = {static_cast<std::uint8_t>(value >> 16),
                       static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
  colour.classicIndex = ReadClassicColour(line, 3);
  return colour;
}

void ReadPixelRow(PixelMap& map, const SourceLine& line) {
  if (static_cast<int>(line.text.size()) != map.width) {
    Fail(line, "pixel row has " + std::to_string(line.text.size()) + " symbols, expected " +
                   std::to_string(map.width));
  }
  for (const char symbol : line.text) {
    const int colour = FindColour(map, symbol);
    if (colour < 0) Fail(line, std::string("undeclared symbol '") + symbol + "'");
    map.pixels.push_back(colour);
  }
}

}  // namespace

std::string ReadText(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  std::string text(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>{});
  if (!stream) throw std::runtime_error("cannot read " + file.string());
  return text;
}

std::vector<SourceLine> SplitLines(std::string_view text, std::string_view source) {
  std::vector<SourceLine> lines;
  for (int number = 1; !text.empty(); ++number) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    line = line.substr(0, line.find_last_not_of(BLANKS) + 1);  // npos + 1 is 0
    lines.push_back({source, number, line, SplitWords(line)});
    if (line.find_first_not_of(BLANKS) == line.find('#')) lines.back().words.clear();  // comment
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

void Fail(const SourceLine& line, const std::string& message) {
  throw std::runtime_error(std::string(line.source) + ":" + std::to_string(line.number) + ": " +
                           message);
}

int ReadNumber(const SourceLine& line, std::size_t word, int minimum, int maximum) {
  const std::string_view text = line.words[word];
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value < minimum ||
      value > maximum) {
    Fail(line, "expected a whole number from " + std::to_string(minimum) + " to " +
                   std::to_string(maximum) + ", found '" + std::string(text) + "'");
  }
  return value;
}

int ReadClassicColour(const SourceLine& line, std::size_t word) {
  for (int index = 0; index < 16; ++index) {
    if (CLASSIC_PALETTE[index].name == line.words[word]) return index;
  }
  Fail(line, "unknown classic colour '" + std::string(line.words[word]) + "'");
}

//   size <width> <height>
//   colour ... (see ReadColourLine)
//   pixels
//   <height rows of width symbols>
PixelMap ReadPixelMap(const std::filesystem::path& file) {
  const std::string source = file.filename().string();
  const std::string text = ReadText(file);
  const std::vector<SourceLine> lines = SplitLines(text, source);
  PixelMap map;
  std::size_t next = 0;
  for (; next < lines.size(); ++next) {
    const SourceLine& line = lines[next];
    if (line.words.empty()) continue;
    if (line.words[0] == "pixels" && line.words.size() == 1) break;
    if (line.words[0] == "size" && line.words.size() == 3) {
      map.width = ReadNumber(line, 1, 1, 256);
      map.height = ReadNumber(line, 2, 1, 256);
    } else if (line.words[0] == "colour") {
      map.colours.push_back(ReadColourLine(map, line));
    } else {
      Fail(line, "unknown line '" + std::string(line.text) + "'");
    }
  }
  const SourceLine lastLine{source, lines.empty() ? 0 : lines.back().number, {}, {}};
  if (next == lines.size()) Fail(lastLine, "no 'pixels' line");
  if (map.width == 0) Fail(lines[next], "no 'size' line before 'pixels'");
  for (int row = 0; row < map.height; ++row) {
    if (++next == lines.size()) {
      Fail(lastLine, "expected " + std::to_string(map.height) + " pixel rows, found " +
                         std::to_string(row));
    }
    ReadPixelRow(map, lines[next]);
  }
  while (++next < lines.size()) {
    if (!lines[next].words.empty()) Fail(lines[next], "text after the last pixel row");
  }
  return map;
}

}  // namespace artgen
