// The generator's reading of the text sources: every mistake a person can
// make while editing is reported with the file and line, and what it draws
// lands on the right pixels of the files it writes.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>

#include "bitmap_file.h"
#include "dib_reader.h"
#include "icon_file.h"
#include "menu_logo.h"
#include "pixel_font.h"
#include "pixel_map.h"

namespace {

// Runs parse and returns the error text, or "" when nothing was thrown.
template <typename Parse>
std::string ErrorOf(Parse parse) {
  try {
    parse();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "";
}

struct FaultyRow {
  const char* fault;
  const char* text;
  const char* expected;  // start of the error: source and line
};

TEST(PixelMapSource, MistakesNameTheirLine) {
  const FaultyRow rows[] = {
      {"row too short", "size 2 2\ncolour . transparent\ncolour K 000000 black\npixels\n.K\nK\n",
       "map:6:"},
      {"undeclared symbol", "size 2 2\ncolour . transparent\npixels\n.X\n..\n", "map:4:"},
      {"too few rows", "size 2 2\ncolour . transparent\npixels\n..\n", "map:4:"},
      {"unknown classic colour", "size 1 1\ncolour K 000000 blak\npixels\nK\n", "map:2:"},
      {"colour not hexadecimal", "size 1 1\ncolour K 00000G black\npixels\nK\n", "map:2:"},
      {"colour too short", "size 1 1\ncolour K 00000 black\npixels\nK\n", "map:2:"},
      {"symbol declared twice", "size 1 1\ncolour K 000000 black\ncolour K FFFFFF white\npixels\nK\n",
       "map:3:"},
      {"symbol of two characters", "size 1 1\ncolour KK 000000 black\npixels\nK\n", "map:2:"},
      {"text after the rows", "size 1 1\ncolour K 000000 black\npixels\nK\nK\n", "map:5:"},
      {"zero width", "size 0 1\ncolour K 000000 black\npixels\n\n", "map:1:"},
      {"too wide", "size 257 1\n", "map:1:"},
      {"size not a number", "size 3x 1\n", "map:1:"},
      {"no pixels line", "size 1 1\ncolour K 000000 black\n", "map:2:"},
      {"no size line", "colour K 000000 black\npixels\nK\n", "map:2:"},
      {"unknown line", "size 1 1\ncolor K 000000 black\npixels\nK\n", "map:2:"},
  };
  for (const FaultyRow& row : rows) {
    const std::string error = ErrorOf([&] { artgen::ParsePixelMap(row.text, "map"); });
    EXPECT_EQ(error.rfind(row.expected, 0), 0u)
        << row.fault << ": got \"" << error << "\", expected it to start with " << row.expected;
  }
}

TEST(PixelFontSource, MistakesNameTheirLine) {
  const FaultyRow rows[] = {
      {"rows of unequal width", "height 2\nglyph A\n##\n#\n", "font:4:"},
      {"character other than . and #", "height 1\nglyph A\n#x\n", "font:3:"},
      {"too few rows", "height 2\nglyph A\n##\n", "font:2:"},
      {"glyph drawn twice", "height 1\nglyph A\n#\nglyph A\n#\n", "font:4:"},
      {"glyph before height", "glyph A\n#\n", "font:1:"},
      {"glyph named by two characters", "height 1\nglyph AB\n#\n", "font:2:"},
      {"empty glyph row", "height 2\nglyph A\n\n#\n", "font:3:"},
      {"no height at all", "# nothing\n", "font:1:"},
  };
  for (const FaultyRow& row : rows) {
    const std::string error = ErrorOf([&] { artgen::ParsePixelFont(row.text, "font"); });
    EXPECT_EQ(error.rfind(row.expected, 0), 0u)
        << row.fault << ": got \"" << error << "\", expected it to start with " << row.expected;
  }
}

// A 2 x 2 emblem and a font of height 2 whose "A" is an L shape.
const std::map<std::string, std::string> SMALL_SOURCES = {
    {"map.txt", "size 2 2\ncolour . transparent\ncolour K 000000 black\npixels\n.K\nK.\n"},
    {"font.txt", "height 2\nspacing 1\nglyph A\n#.\n##\nglyph space\n.\n.\n"},
    {"tight.txt", "height 2\nspacing 0\nglyph A\n#.\n##\nglyph space\n.\n.\n"},
};

std::string LoadSmallSource(std::string_view name) {
  const auto found = SMALL_SOURCES.find(std::string(name));
  if (found == SMALL_SOURCES.end()) throw std::runtime_error("no source " + std::string(name));
  return found->second;
}

TEST(MenuLogoLayout, MistakesNameTheirLine) {
  const FaultyRow rows[] = {
      {"lettering wider than the picture", "size 5 2\ntext 0 0 font.txt red A A\n", "layout:2:"},
      {"lettering below the picture", "size 5 3\ntext 0 2 font.txt red A\n", "layout:2:"},
      {"character without glyph", "size 9 2\ntext 0 0 font.txt red AB\n", "layout:2:"},
      {"emblem beyond the right edge", "size 2 2\nemblem 1 0 map.txt\n", "layout:2:"},
      {"fill beyond the bottom", "size 4 4\nfill 0 2 4 3 navy\n", "layout:2:"},
      {"unknown colour", "size 4 4\nbackground gold\n", "layout:2:"},
      {"drawing before size", "background white\nsize 4 4\n", "layout:1:"},
      {"unknown command", "size 4 4\ncircle 1 1 1 red\n", "layout:2:"},
      {"negative position", "size 4 4\nfill -1 0 1 1 red\n", "layout:2:"},
      {"text without words", "size 4 4\ntext 0 0 font.txt red\n", "layout:2:"},
      {"missing source file", "size 4 4\nemblem 0 0 none.txt\n", "no source none.txt"},
      {"fault inside the emblem's map", "size 4 4\nemblem 0 0 font.txt\n", "font.txt:1:"},
      {"no size at all", "# empty\n", "layout:1:"},
  };
  for (const FaultyRow& row : rows) {
    const std::string error =
        ErrorOf([&] { artgen::ComposeMenuLogo(row.text, "layout", LoadSmallSource); });
    EXPECT_EQ(error.rfind(row.expected, 0), 0u)
        << row.fault << ": got \"" << error << "\", expected it to start with " << row.expected;
  }
}

// Draws a 5 x 3 picture (odd width: each stored row needs padding) and reads
// the written bitmap back: background, band, lettering and emblem each on
// their pixels, the emblem's transparent pixels showing the background.
TEST(MenuLogoLayout, DrawsEachPieceOnItsPixels) {
  const char* layout =
      "size 5 3\n"
      "background white\n"
      "fill 0 2 5 1 navy\n"
      "emblem 3 0 map.txt\n"
      "text 0 0 font.txt red A\n";
  const artgen::IndexedImage picture = artgen::ComposeMenuLogo(layout, "layout", LoadSmallSource);
  const art_test::BitmapFile file = art_test::ReadBitmapFile(artgen::BuildBitmapFile(picture));
  constexpr int R = 9, W = 15, K = 0, N = 4;  // red, white, black, navy
  const std::vector<int> expected = {
      R, W, W, W, K,  //
      R, R, W, K, W,  //
      N, N, N, N, N,  //
  };
  ASSERT_EQ(file.image.width, 5);
  ASSERT_EQ(file.image.height, 3);
  EXPECT_EQ(file.image.pixels, expected);
  EXPECT_EQ(file.fileSize, 14u + 40u + 64u + 3u * 4u);
}

TEST(MenuLogoLayout, LetteringKeepsItsInnerBlanks) {
  const artgen::IndexedImage picture =
      artgen::ComposeMenuLogo("size 5 2\nbackground white\ntext 0 0 tight.txt red A A\n",
                              "layout", LoadSmallSource);
  constexpr int R = 9, W = 15;
  const std::vector<int> expected = {
      R, W, W, R, W,  //
      R, R, W, R, R,  //
  };
  EXPECT_EQ(picture.pixels, expected);
}

std::string MapOf32(char first, char second) {
  std::string text =
      "size 32 32\ncolour . transparent\ncolour G 123456 teal\ncolour K 000000 black\npixels\n";
  for (int y = 0; y < 32; ++y) {
    std::string row(32, '.');
    if (y == 0) row[0] = first;
    if (y == 31) row[31] = second;
    text += row + "\n";
  }
  return text;
}

// A colour outside the classic sixteen gets its own entry in the 256-colour
// image and becomes its classic colour in the 16-colour one; transparent
// pixels are black under a set mask bit in both.
TEST(IconBuilder, MapsEachColourPerDepth) {
  const artgen::PixelMap map = artgen::ParsePixelMap(MapOf32('G', 'K'), "map");
  const art_test::Bytes icon = artgen::BuildIconFile(map);
  for (const art_test::IconEntry& entry : art_test::ReadIconDirectory(icon).entries) {
    SCOPED_TRACE(std::to_string(entry.bitCount) + "-bit image");
    const art_test::DecodedImage image = art_test::ReadIconImage(icon, entry.imageOffset);
    const auto colourAt = [&](std::size_t at) {
      return image.palette.at(static_cast<std::size_t>(image.pixels.at(at)));
    };
    EXPECT_EQ(colourAt(0), entry.bitCount == 8 ? 0x123456u : 0x008080u);
    EXPECT_EQ(colourAt(32 * 32 - 1), 0x000000u);
    EXPECT_EQ(image.mask[0], 0);
    EXPECT_EQ(image.mask[32 * 32 - 1], 0);
    EXPECT_EQ(image.pixels[1], 0);
    EXPECT_EQ(image.mask[1], 1);
    EXPECT_EQ(image.mask[32 * 31], 1);
  }
}

TEST(IconBuilder, RefusesAnEmblemThatIsNot32x32) {
  const artgen::PixelMap map =
      artgen::ParsePixelMap("size 16 16\ncolour . transparent\npixels\n" +
                                [] {
                                  std::string rows;
                                  for (int y = 0; y < 16; ++y) rows += std::string(16, '.') + "\n";
                                  return rows;
                                }(),
                            "map");
  EXPECT_THROW(artgen::BuildIconFile(map), std::runtime_error);
}

}  // namespace
