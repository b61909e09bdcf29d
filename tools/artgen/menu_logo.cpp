// The picture of the tray menu's About entry, drawn in the classic 16 colours
// from its layout:
//   size <width> <height>
//   background <classic colour>
//   fill <x> <y> <width> <height> <classic colour>
//   emblem <x> <y> <pixel map file>
//   text <x> <y> <font file> <classic colour> <the words to letter>
// Anything that would fall outside the picture is an error, not clipped.
#include "artgen.h"

namespace artgen {

namespace {

// A hand-drawn font for the lettering; only the characters the lettering
// uses need a glyph, and a missing one is an error, never a silent gap.
//   height <rows>
//   spacing <blank columns between two glyphs>
//   glyph <character>        ("glyph space" for the blank)
//   <height rows of '.' (paper) and '#' (ink), all of one width>
struct Glyph {
  char character;
  int width;
  std::vector<bool> ink;  // row by row from the top
};

struct PixelFont {
  int height = 0;
  int spacing = 1;
  std::vector<Glyph> glyphs;
};

const Glyph* FindGlyph(const PixelFont& font, char character) {
  for (const Glyph& glyph : font.glyphs) {
    if (glyph.character == character) return &glyph;
  }
  return nullptr;
}

// The glyph whose "glyph" line is lines[next - 1]; next moves past its rows.
Glyph ReadGlyph(const PixelFont& font, const std::vector<SourceLine>& lines, std::size_t& next) {
  const SourceLine& line = lines[next - 1];
  const std::string_view name = line.words[1];
  if (font.height == 0) Fail(line, "'height' must come first");
  if (name != "space" && name.size() != 1) Fail(line, "a glyph is one character or 'space'");
  Glyph glyph{name == "space" ? ' ' : name[0], 0, {}};
  if (FindGlyph(font, glyph.character) != nullptr) Fail(line, "glyph drawn twice");
  for (int row = 0; row < font.height; ++row, ++next) {
    if (next == lines.size()) Fail(line, "glyph has too few rows");
    const SourceLine& inkRow = lines[next];
    if (row == 0) glyph.width = static_cast<int>(inkRow.text.size());
    if (glyph.width == 0 || static_cast<int>(inkRow.text.size()) != glyph.width) {
      Fail(inkRow, "glyph rows must all have the same, nonzero width");
    }
    for (const char symbol : inkRow.text) {
      if (symbol != '.' && symbol != '#') Fail(inkRow, "glyph rows are made of '.' and '#'");
      glyph.ink.push_back(symbol == '#');
    }
  }
  return glyph;
}

PixelFont ReadPixelFont(const std::filesystem::path& file) {
  const std::string source = file.filename().string();
  const std::string text = ReadText(file);
  const std::vector<SourceLine> lines = SplitLines(text, source);
  PixelFont font;
  for (std::size_t next = 0; next < lines.size();) {
    const SourceLine& line = lines[next++];
    if (line.words.empty()) continue;
    const std::string_view command = line.words.size() == 2 ? line.words[0] : "";
    if (command == "height") {
      font.height = ReadNumber(line, 1, 1, 64);
    } else if (command == "spacing") {
      font.spacing = ReadNumber(line, 1, 0, 16);
    } else if (command == "glyph") {
      font.glyphs.push_back(ReadGlyph(font, lines, next));
    } else {
      Fail(line, "unknown line '" + std::string(line.text) + "'");
    }
  }
  return font;
}

struct Canvas {
  IndexedImage image;
  std::filesystem::path directory;  // where the layout's own sources are
};

void RequireInside(const Canvas& canvas, const SourceLine& line, int right, int bottom) {
  if (right > canvas.image.width || bottom > canvas.image.height) {
    Fail(line, "the drawing reaches " + std::to_string(right) + "," + std::to_string(bottom) +
                   ", outside the picture");
  }
}

void SetPixel(Canvas& canvas, int x, int y, int colour) {
  canvas.image.pixels[static_cast<std::size_t>(y * canvas.image.width + x)] = colour;
}

void DrawFill(Canvas& canvas, const SourceLine& line) {
  const int x = ReadNumber(line, 1, 0, 1024);
  const int y = ReadNumber(line, 2, 0, 1024);
  const int width = ReadNumber(line, 3, 0, 1024);
  const int height = ReadNumber(line, 4, 0, 1024);
  const int colour = ReadClassicColour(line, 5);
  RequireInside(canvas, line, x + width, y + height);
  for (int row = y; row < y + height; ++row) {
    for (int column = x; column < x + width; ++column) SetPixel(canvas, column, row, colour);
  }
}

// The emblem in its 16-colour form; its transparent pixels keep what is below.
void DrawEmblem(Canvas& canvas, const SourceLine& line) {
  const int x = ReadNumber(line, 1, 0, 1024);
  const int y = ReadNumber(line, 2, 0, 1024);
  const PixelMap emblem = ReadPixelMap(canvas.directory / line.words[3]);
  RequireInside(canvas, line, x + emblem.width, y + emblem.height);
  for (int row = 0; row < emblem.height; ++row) {
    for (int column = 0; column < emblem.width; ++column) {
      const auto at = static_cast<std::size_t>(row * emblem.width + column);
      const MapColour& colour = emblem.colours[static_cast<std::size_t>(emblem.pixels[at])];
      if (!colour.transparent) SetPixel(canvas, x + column, y + row, colour.classicIndex);
    }
  }
}

// The words to letter are everything after the fifth word, inner blanks kept.
void DrawText(Canvas& canvas, const SourceLine& line) {
  int x = ReadNumber(line, 1, 0, 1024);
  const int y = ReadNumber(line, 2, 0, 1024);
  const PixelFont font = ReadPixelFont(canvas.directory / line.words[3]);
  const int colour = ReadClassicColour(line, 4);
  const std::string_view words = line.text.substr(
      static_cast<std::size_t>(line.words[5].data() - line.text.data()));
  for (const char character : words) {
    const Glyph* glyph = FindGlyph(font, character);
    if (glyph == nullptr) Fail(line, std::string("the font has no '") + character + "'");
    RequireInside(canvas, line, x + glyph->width, y + font.height);
    for (int row = 0; row < font.height; ++row) {
      for (int column = 0; column < glyph->width; ++column) {
        if (glyph->ink[static_cast<std::size_t>(row * glyph->width + column)]) {
          SetPixel(canvas, x + column, y + row, colour);
        }
      }
    }
    x += glyph->width + font.spacing;
  }
}

}  // namespace

IndexedImage ComposeMenuLogo(const std::filesystem::path& layoutFile) {
  const std::string source = layoutFile.filename().string();
  const std::string layout = ReadText(layoutFile);
  const std::vector<SourceLine> lines = SplitLines(layout, source);
  Canvas canvas{{}, layoutFile.parent_path()};
  for (const SourceLine& line : lines) {
    if (line.words.empty()) continue;
    const std::string_view command = line.words[0];
    const std::size_t wordCount = line.words.size();
    if (command == "size" && wordCount == 3) {
      canvas.image.width = ReadNumber(line, 1, 1, 1024);
      canvas.image.height = ReadNumber(line, 2, 1, 1024);
      const auto area = static_cast<std::size_t>(canvas.image.width * canvas.image.height);
      canvas.image.pixels.assign(area, 0);
    } else if (canvas.image.pixels.empty()) {
      Fail(line, "'size' must come first");
    } else if (command == "background" && wordCount == 2) {
      canvas.image.pixels.assign(canvas.image.pixels.size(), ReadClassicColour(line, 1));
    } else if (command == "fill" && wordCount == 6) {
      DrawFill(canvas, line);
    } else if (command == "emblem" && wordCount == 4) {
      DrawEmblem(canvas, line);
    } else if (command == "text" && wordCount >= 6) {
      DrawText(canvas, line);
    } else {
      Fail(line, "'" + std::string(line.text) + "' is not a layout line");
    }
  }
  if (canvas.image.pixels.empty()) Fail({source, 1, {}, {}}, "no 'size' line");
  return canvas.image;
}

}  // namespace artgen
