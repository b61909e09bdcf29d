#include "menu_logo.h"

#include <string>
#include <vector>

#include "pixel_font.h"
#include "pixel_map.h"
#include "text_lines.h"

namespace artgen {

namespace {

constexpr int MAX_LOGO_SIDE = 1024;

struct LayoutLine {
  std::string_view source;
  int number;
  std::vector<std::string_view> words;
};

int ClassicColourWord(const LayoutLine& line, std::string_view word) {
  const int index = ClassicColourIndex(word);
  if (index < 0) {
    ThrowSourceError(line.source, line.number, "unknown classic colour '" + std::string(word) + "'");
  }
  return index;
}

int Coordinate(const LayoutLine& line, std::size_t word) {
  return ParseBoundedInt(line.words[word], 0, MAX_LOGO_SIDE, line.source, line.number);
}

void RequireInside(const IndexedImage& canvas, const LayoutLine& line, int x, int y, int width,
                   int height) {
  if (x + width > canvas.width || y + height > canvas.height) {
    ThrowSourceError(line.source, line.number,
                     "drawing of " + std::to_string(width) + " x " + std::to_string(height) +
                         " at " + std::to_string(x) + "," + std::to_string(y) +
                         " falls outside the picture");
  }
}

void SetPixel(IndexedImage& canvas, int x, int y, int colour) {
  canvas.pixels[static_cast<std::size_t>(y * canvas.width + x)] = colour;
}

void DrawFill(IndexedImage& canvas, const LayoutLine& line) {
  if (line.words.size() != 6) ThrowSourceError(line.source, line.number, "expected 'fill x y width height colour'");
  const int x = Coordinate(line, 1);
  const int y = Coordinate(line, 2);
  const int width = Coordinate(line, 3);
  const int height = Coordinate(line, 4);
  const int colour = ClassicColourWord(line, line.words[5]);
  RequireInside(canvas, line, x, y, width, height);
  for (int row = y; row < y + height; ++row) {
    for (int column = x; column < x + width; ++column) SetPixel(canvas, column, row, colour);
  }
}

void DrawEmblem(IndexedImage& canvas, const LayoutLine& line, const SourceLoader& load) {
  if (line.words.size() != 4) ThrowSourceError(line.source, line.number, "expected 'emblem x y file'");
  const int x = Coordinate(line, 1);
  const int y = Coordinate(line, 2);
  const std::string text = load(line.words[3]);
  const PixelMap emblem = ParsePixelMap(text, line.words[3]);
  RequireInside(canvas, line, x, y, emblem.width, emblem.height);
  for (int row = 0; row < emblem.height; ++row) {
    for (int column = 0; column < emblem.width; ++column) {
      const MapColour& colour = ColourAt(emblem, column, row);
      if (!colour.transparent) SetPixel(canvas, x + column, y + row, colour.classicIndex);
    }
  }
}

// The words to letter are everything after the fifth word, inner blanks kept.
std::string_view LetteringOf(const LayoutLine& line, std::string_view whole) {
  const std::size_t start = static_cast<std::size_t>(line.words[5].data() - whole.data());
  return whole.substr(start);
}

int MeasureLettering(const PixelFont& font, std::string_view words) {
  int width = 0;
  for (std::size_t index = 0; index < words.size(); ++index) {
    const Glyph* glyph = FindGlyph(font, words[index]);
    if (glyph == nullptr) return -1;
    width += glyph->width + (index + 1 < words.size() ? font.spacing : 0);
  }
  return width;
}

void DrawText(IndexedImage& canvas, const LayoutLine& line, std::string_view whole,
              const SourceLoader& load) {
  if (line.words.size() < 6) {
    ThrowSourceError(line.source, line.number, "expected 'text x y font colour words'");
  }
  int x = Coordinate(line, 1);
  const int y = Coordinate(line, 2);
  const PixelFont font = ParsePixelFont(load(line.words[3]), line.words[3]);
  const int colour = ClassicColourWord(line, line.words[4]);
  const std::string_view words = LetteringOf(line, whole);
  const int width = MeasureLettering(font, words);
  if (width < 0) ThrowSourceError(line.source, line.number, "the font lacks a glyph for these words");
  RequireInside(canvas, line, x, y, width, font.height);
  for (const char character : words) {
    const Glyph& glyph = *FindGlyph(font, character);
    for (int row = 0; row < font.height; ++row) {
      for (int column = 0; column < glyph.width; ++column) {
        if (glyph.ink[static_cast<std::size_t>(row * glyph.width + column)]) {
          SetPixel(canvas, x + column, y + row, colour);
        }
      }
    }
    x += glyph.width + font.spacing;
  }
}

}  // namespace

IndexedImage ComposeMenuLogo(std::string_view layout, std::string_view source,
                             const SourceLoader& load) {
  IndexedImage canvas;
  canvas.bitsPerPixel = 4;
  for (const SourceLine& sourceLine : SplitLines(layout)) {
    if (IsBlankOrComment(sourceLine.text)) continue;
    const LayoutLine line{source, sourceLine.number, SplitWords(sourceLine.text)};
    const std::string_view command = line.words[0];
    if (command == "size" && line.words.size() == 3) {
      canvas.width = ParseBoundedInt(line.words[1], 1, MAX_LOGO_SIDE, source, line.number);
      canvas.height = ParseBoundedInt(line.words[2], 1, MAX_LOGO_SIDE, source, line.number);
      canvas.pixels.assign(static_cast<std::size_t>(canvas.width * canvas.height), 0);
    } else if (canvas.pixels.empty()) {
      ThrowSourceError(source, line.number, "'size' must come first");
    } else if (command == "background" && line.words.size() == 2) {
      canvas.pixels.assign(canvas.pixels.size(), ClassicColourWord(line, line.words[1]));
    } else if (command == "fill") {
      DrawFill(canvas, line);
    } else if (command == "emblem") {
      DrawEmblem(canvas, line, load);
    } else if (command == "text") {
      DrawText(canvas, line, sourceLine.text, load);
    } else {
      ThrowSourceError(source, line.number, "unknown line '" + std::string(sourceLine.text) + "'");
    }
  }
  if (canvas.pixels.empty()) ThrowSourceError(source, 1, "no 'size' line");
  return canvas;
}

}  // namespace artgen
