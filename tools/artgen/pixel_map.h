// A picture drawn as text: one character per pixel, each character declared
// with the colour it has in the 256-colour image and the entry of the classic
// 16-colour palette it becomes in the 16-colour image.
#pragma once

#include <string_view>
#include <vector>

#include "classic_palette.h"

namespace artgen {

struct MapColour {
  char symbol;
  bool transparent;  // shows what lies behind; the icon's mask bit is set
  Rgb fullColour;    // colour in the 256-colour image
  int classicIndex;  // entry of CLASSIC_PALETTE in the 16-colour image
};

struct PixelMap {
  int width = 0;
  int height = 0;
  std::vector<MapColour> colours;
  std::vector<int> pixels;  // row by row from the top; index into colours
};

inline constexpr int MAX_MAP_SIDE = 256;

// Reads the text form:
//   size <width> <height>
//   colour <symbol> transparent
//   colour <symbol> <RRGGBB> <classic colour name>
//   pixels
//   <height rows of width symbols>
// Blank lines and '#' comments are allowed outside the pixel rows. Throws
// std::runtime_error naming source and line on any mistake.
PixelMap ParsePixelMap(std::string_view text, std::string_view source);

const MapColour& ColourAt(const PixelMap& map, int x, int y);

}  // namespace artgen
