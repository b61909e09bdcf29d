#include "pixel_map.h"

#include <charconv>
#include <string>

#include "text_lines.h"

namespace artgen {

namespace {

bool ParseHexColour(std::string_view word, Rgb& colour) {
  if (word.size() != 6) return false;
  unsigned value = 0;
  const char* const last = word.data() + word.size();
  const auto [end, error] = std::from_chars(word.data(), last, value, 16);
  if (error != std::errc{} || end != last) return false;
  colour = {static_cast<std::uint8_t>(value >> 16),
            static_cast<std::uint8_t>((value >> 8) & 0xFFu),
            static_cast<std::uint8_t>(value & 0xFFu)};
  return true;
}

int FindColour(const PixelMap& map, char symbol) {
  for (std::size_t index = 0; index < map.colours.size(); ++index) {
    if (map.colours[index].symbol == symbol) return static_cast<int>(index);
  }
  return -1;
}

MapColour ParseColourLine(const std::vector<std::string_view>& words,
                          std::string_view source, int lineNumber) {
  if (words.size() < 3 || words[1].size() != 1) {
    ThrowSourceError(source, lineNumber,
                     "expected 'colour <symbol> transparent' or "
                     "'colour <symbol> <RRGGBB> <classic colour name>'");
  }
  MapColour colour{words[1][0], false, {0, 0, 0}, 0};
  if (words.size() == 3 && words[2] == "transparent") {
    colour.transparent = true;
    return colour;
  }
  if (words.size() != 4 || !ParseHexColour(words[2], colour.fullColour)) {
    ThrowSourceError(source, lineNumber, "expected a colour written as RRGGBB");
  }
  colour.classicIndex = ClassicColourIndex(words[3]);
  if (colour.classicIndex < 0) {
    ThrowSourceError(source, lineNumber,
                     "unknown classic colour '" + std::string(words[3]) + "'");
  }
  return colour;
}

void ParsePixelRow(PixelMap& map, const SourceLine& line, std::string_view source) {
  if (static_cast<int>(line.text.size()) != map.width) {
    ThrowSourceError(source, line.number,
                     "pixel row has " + std::to_string(line.text.size()) +
                         " symbols, expected " + std::to_string(map.width));
  }
  for (const char symbol : line.text) {
    const int colour = FindColour(map, symbol);
    if (colour < 0) {
      ThrowSourceError(source, line.number,
                       std::string("undeclared symbol '") + symbol + "'");
    }
    map.pixels.push_back(colour);
  }
}

}  // namespace

PixelMap ParsePixelMap(std::string_view text, std::string_view source) {
  PixelMap map;
  const std::vector<SourceLine> lines = SplitLines(text);
  std::size_t next = 0;
  int lastLine = 0;
  for (; next < lines.size(); ++next) {
    const SourceLine& line = lines[next];
    lastLine = line.number;
    if (IsBlankOrComment(line.text)) continue;
    const std::vector<std::string_view> words = SplitWords(line.text);
    if (words[0] == "size" && words.size() == 3) {
      map.width = ParseBoundedInt(words[1], 1, MAX_MAP_SIDE, source, line.number);
      map.height = ParseBoundedInt(words[2], 1, MAX_MAP_SIDE, source, line.number);
    } else if (words[0] == "colour") {
      const MapColour colour = ParseColourLine(words, source, line.number);
      if (FindColour(map, colour.symbol) >= 0) {
        ThrowSourceError(source, line.number,
                         std::string("symbol '") + colour.symbol + "' declared twice");
      }
      map.colours.push_back(colour);
    } else if (words[0] == "pixels" && words.size() == 1) {
      break;
    } else {
      ThrowSourceError(source, line.number,
                       "unknown line '" + std::string(line.text) + "'");
    }
  }
  if (next == lines.size()) ThrowSourceError(source, lastLine, "no 'pixels' line");
  if (map.width == 0) ThrowSourceError(source, lines[next].number, "no 'size' line before 'pixels'");
  ++next;
  for (int row = 0; row < map.height; ++row, ++next) {
    if (next == lines.size()) {
      ThrowSourceError(source, lastLine,
                       "expected " + std::to_string(map.height) + " pixel rows, found " +
                           std::to_string(row));
    }
    lastLine = lines[next].number;
    ParsePixelRow(map, lines[next], source);
  }
  for (; next < lines.size(); ++next) {
    if (!IsBlankOrComment(lines[next].text)) {
      ThrowSourceError(source, lines[next].number, "text after the last pixel row");
    }
  }
  return map;
}

const MapColour& ColourAt(const PixelMap& map, int x, int y) {
  const auto position = static_cast<std::size_t>(y * map.width + x);
  return map.colours[static_cast<std::size_t>(map.pixels[position])];
}

}  // namespace artgen
