// A hand-drawn pixel font for the lettering of the menu picture. Only the
// characters the lettering needs have to be drawn; a missing one is an error,
// never a silent gap.
#pragma once

#include <string_view>
#include <vector>

namespace artgen {

struct Glyph {
  char character;
  int width;
  std::vector<bool> ink;  // row by row from the top, width * font height
};

struct PixelFont {
  int height = 0;
  int spacing = 1;  // blank columns between two glyphs
  std::vector<Glyph> glyphs;
};

// Reads the text form:
//   height <rows>
//   spacing <columns>
//   glyph <character>        ("glyph space" for the blank)
//   <height rows of '.' (paper) and '#' (ink), all of one width>
PixelFont ParsePixelFont(std::string_view text, std::string_view source);

// The glyph for a character, or nullptr when the font does not draw it.
const Glyph* FindGlyph(const PixelFont& font, char character);

}  // namespace artgen
