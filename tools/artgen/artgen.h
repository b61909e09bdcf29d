// The artwork generator: the program's icon and menu picture made from text
// sources a person can edit (see res/art). Every mistake in a source stops the
// generator with "<file>:<line>: <what is wrong>", never with a wrong picture.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace artgen {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
  bool operator==(const Rgb&) const = default;
};

struct ClassicColour {
  std::string_view name;
  Rgb rgb;
};

// The sixteen colours every 4-bit Windows display has, in the order of the
// system's default palette. The 16-colour images use exactly this palette so
// that no colour is remapped when they are shown.
inline constexpr ClassicColour CLASSIC_PALETTE[16] = {
    {"black", {0x00, 0x00, 0x00}},  {"maroon", {0x80, 0x00, 0x00}},
    {"green", {0x00, 0x80, 0x00}},  {"olive", {0x80, 0x80, 0x00}},
    {"navy", {0x00, 0x00, 0x80}},   {"purple", {0x80, 0x00, 0x80}},
    {"teal", {0x00, 0x80, 0x80}},   {"silver", {0xC0, 0xC0, 0xC0}},
    {"gray", {0x80, 0x80, 0x80}},   {"red", {0xFF, 0x00, 0x00}},
    {"lime", {0x00, 0xFF, 0x00}},   {"yellow", {0xFF, 0xFF, 0x00}},
    {"blue", {0x00, 0x00, 0xFF}},   {"fuchsia", {0xFF, 0x00, 0xFF}},
    {"aqua", {0x00, 0xFF, 0xFF}},   {"white", {0xFF, 0xFF, 0xFF}},
};

// One line of a source, for reading and for naming it in an error.
struct SourceLine {
  std::string_view source;              // the file's name
  int number;                           // counted from 1
  std::string_view text;                // without line break and trailing blanks
  std::vector<std::string_view> words;  // separated by blanks; none in a '#' comment
};

// A picture drawn as text, one symbol per pixel (emblem.txt).
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

// A picture in palette indices, row by row from the top.
struct IndexedImage {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 4;  // 1, 4 or 8
  std::vector<int> pixels;
};

// text_sources.cpp: reading the sources.
std::string ReadText(const std::filesystem::path& file);
std::vector<SourceLine> SplitLines(std::string_view text, std::string_view source);
[[noreturn]] void Fail(const SourceLine& line, const std::string& message);
// The line's word at the given place, read as a number or a classic colour.
int ReadNumber(const SourceLine& line, std::size_t word, int minimum, int maximum);
int ReadClassicColour(const SourceLine& line, std::size_t word);
PixelMap ReadPixelMap(const std::filesystem::path& file);

// menu_logo.cpp: the menu picture drawn from its layout; the layout names the
// emblem and fonts by their place beside it.
IndexedImage ComposeMenuLogo(const std::filesystem::path& layoutFile);

// dib_files.cpp: the files the resource compiler takes.
Bytes BuildIconFile(const PixelMap& emblem);
Bytes BuildBitmapFile(const IndexedImage& image);

}  // namespace artgen
