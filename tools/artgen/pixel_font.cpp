#include "pixel_font.h"

#include <string>

#include "text_lines.h"

namespace artgen {

namespace {

char GlyphCharacter(std::string_view word, std::string_view source, int lineNumber) {
  if (word == "space") return ' ';
  if (word.size() != 1) {
    ThrowSourceError(source, lineNumber,
                     "a glyph names one character or 'space', found '" + std::string(word) + "'");
  }
  return word[0];
}

void ParseGlyphRow(Glyph& glyph, const SourceLine& line, std::string_view source) {
  if (glyph.ink.empty()) glyph.width = static_cast<int>(line.text.size());
  if (glyph.width == 0 || static_cast<int>(line.text.size()) != glyph.width) {
    ThrowSourceError(source, line.number, "glyph rows must all have the same, nonzero width");
  }
  for (const char symbol : line.text) {
    if (symbol != '.' && symbol != '#') {
      ThrowSourceError(source, line.number, "glyph rows use only '.' and '#'");
    }
    glyph.ink.push_back(symbol == '#');
  }
}

}  // namespace

PixelFont ParsePixelFont(std::string_view text, std::string_view source) {
  PixelFont font;
  const std::vector<SourceLine> lines = SplitLines(text);
  std::size_t next = 0;
  while (next < lines.size()) {
    const SourceLine& line = lines[next++];
    if (IsBlankOrComment(line.text)) continue;
    const std::vector<std::string_view> words = SplitWords(line.text);
    if (words.size() == 2 && words[0] == "height") {
      font.height = ParseBoundedInt(words[1], 1, 64, source, line.number);
    } else if (words.size() == 2 && words[0] == "spacing") {
      font.spacing = ParseBoundedInt(words[1], 0, 16, source, line.number);
    } else if (words.size() == 2 && words[0] == "glyph") {
      if (font.height == 0) ThrowSourceError(source, line.number, "'height' must come first");
      Glyph glyph{GlyphCharacter(words[1], source, line.number), 0, {}};
      if (FindGlyph(font, glyph.character) != nullptr) {
        ThrowSourceError(source, line.number, "glyph drawn twice");
      }
      for (int row = 0; row < font.height; ++row) {
        if (next == lines.size()) ThrowSourceError(source, line.number, "glyph has too few rows");
        ParseGlyphRow(glyph, lines[next++], source);
      }
      font.glyphs.push_back(glyph);
    } else {
      ThrowSourceError(source, line.number, "unknown line '" + std::string(line.text) + "'");
    }
  }
  if (font.height == 0) ThrowSourceError(source, 1, "no 'height' line");
  return font;
}

const Glyph* FindGlyph(const PixelFont& font, char character) {
  for (const Glyph& glyph : font.glyphs) {
    if (glyph.character == character) return &glyph;
  }
  return nullptr;
}

}  // namespace artgen
