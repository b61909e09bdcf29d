// The committed icon and menu picture: their headers, sizes and depths, that
// their pixels are those of the text sources, and that the generator makes
// them again byte for byte (so sources and pictures cannot drift apart).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "artwork.h"
#include "classic_palette.h"
#include "dib_reader.h"
#include "pixel_map.h"
#include "text_lines.h"

namespace {

const std::filesystem::path ART_DIR = TARIVOX_ART_DIR;

art_test::Bytes Committed(const char* name) { return artgen::ReadFileBytes(ART_DIR / name); }

std::uint32_t PackedRgb(artgen::Rgb colour) {
  return static_cast<std::uint32_t>(colour.red) << 16 |
         static_cast<std::uint32_t>(colour.green) << 8 | colour.blue;
}

artgen::PixelMap Emblem() {
  return artgen::ParsePixelMap(artgen::ReadFileText(ART_DIR / "emblem.txt"), "emblem.txt");
}

TEST(IconFile, HoldsExactlyTwo32x32ImagesOf16And256Colours) {
  const art_test::Bytes icon = Committed("tarivox.ico");
  const art_test::IconDirectory directory = art_test::ReadIconDirectory(icon);
  EXPECT_EQ(directory.reserved, 0u);
  EXPECT_EQ(directory.type, 1u) << "1 marks an icon, 2 a cursor";
  ASSERT_EQ(directory.entries.size(), 2u);

  const struct {
    unsigned bitCount;
    unsigned colourCount;  // 0 in the directory means 256 or more
    std::uint32_t bytes;   // header + colour table + colour rows + mask rows
  } expected[] = {{4, 16, 40 + 16 * 4 + 32 * 16 + 32 * 4}, {8, 0, 40 + 256 * 4 + 32 * 32 + 32 * 4}};
  std::uint32_t nextOffset = 6 + 2 * 16;
  for (std::size_t index = 0; index < 2; ++index) {
    SCOPED_TRACE("image " + std::to_string(index));
    const art_test::IconEntry& entry = directory.entries[index];
    EXPECT_EQ(entry.width, 32u) << "no 16 x 16 (or other) image may be stored";
    EXPECT_EQ(entry.height, 32u);
    EXPECT_EQ(entry.bitCount, expected[index].bitCount);
    EXPECT_EQ(entry.colourCount, expected[index].colourCount);
    EXPECT_EQ(entry.reserved, 0u);
    EXPECT_EQ(entry.planes, 1u);
    EXPECT_EQ(entry.bytesInRes, expected[index].bytes);
    EXPECT_EQ(entry.imageOffset, nextOffset) << "images follow the directory without gaps";
    nextOffset = entry.imageOffset + entry.bytesInRes;
  }
  EXPECT_EQ(nextOffset, icon.size()) << "the last image ends the file";
}

TEST(IconFile, ImagesAreUncompressedDibsWithMask) {
  const art_test::Bytes icon = Committed("tarivox.ico");
  for (const art_test::IconEntry& entry : art_test::ReadIconDirectory(icon).entries) {
    SCOPED_TRACE("image of " + std::to_string(entry.bitCount) + " bits");
    const art_test::DecodedImage image = art_test::ReadIconImage(icon, entry.imageOffset);
    EXPECT_EQ(image.header.size, 40u);
    EXPECT_EQ(image.header.width, 32);
    EXPECT_EQ(image.header.height, 64) << "colour rows and mask rows together";
    EXPECT_EQ(image.header.planes, 1u);
    EXPECT_EQ(image.header.bitCount, entry.bitCount);
    EXPECT_EQ(image.header.compression, 0u) << "BI_RGB";
    EXPECT_EQ(image.palette.size(), std::size_t{1} << entry.bitCount);
  }
}

// Both images show the emblem exactly: mask where it is transparent, the
// classic colour in the 16-colour image, the full colour in the other.
TEST(IconFile, ImagesShowTheEmblemSource) {
  const artgen::PixelMap emblem = Emblem();
  const art_test::Bytes icon = Committed("tarivox.ico");
  for (const art_test::IconEntry& entry : art_test::ReadIconDirectory(icon).entries) {
    const art_test::DecodedImage image = art_test::ReadIconImage(icon, entry.imageOffset);
    ASSERT_EQ(image.width, emblem.width);
    ASSERT_EQ(image.height, emblem.height);
    int mismatches = 0;
    for (int y = 0; y < emblem.height; ++y) {
      for (int x = 0; x < emblem.width; ++x) {
        const artgen::MapColour& source = artgen::ColourAt(emblem, x, y);
        const auto at = static_cast<std::size_t>(y * image.width + x);
        const std::uint32_t shown = image.palette.at(static_cast<std::size_t>(image.pixels[at]));
        const std::uint32_t wanted =
            source.transparent ? 0u
            : entry.bitCount == 4
                ? PackedRgb(artgen::CLASSIC_PALETTE[static_cast<std::size_t>(source.classicIndex)].rgb)
                : PackedRgb(source.fullColour);
        const bool maskRight = image.mask[at] == (source.transparent ? 1 : 0);
        if ((shown != wanted || !maskRight) && ++mismatches <= 5) {
          ADD_FAILURE() << entry.bitCount << "-bit image, pixel " << x << "," << y << " ('"
                        << source.symbol << "'): colour " << std::hex << shown << " mask "
                        << image.mask[at];
        }
      }
    }
    EXPECT_EQ(mismatches, 0) << entry.bitCount << "-bit image";
  }
}

TEST(MenuLogoFile, Is136x32With16ColoursUncompressed) {
  const art_test::Bytes logo = Committed("menu_logo.bmp");
  const art_test::BitmapFile file = art_test::ReadBitmapFile(logo);
  EXPECT_EQ(file.signature, 0x4D42u) << "'BM'";
  EXPECT_EQ(file.fileSize, logo.size());
  EXPECT_EQ(file.pixelOffset, 14u + 40u + 16u * 4u);
  EXPECT_EQ(file.image.header.size, 40u);
  EXPECT_EQ(file.image.header.width, 136);
  EXPECT_EQ(file.image.header.height, 32) << "positive: rows stored bottom-up";
  EXPECT_EQ(file.image.header.planes, 1u);
  EXPECT_EQ(file.image.header.bitCount, 4u);
  EXPECT_EQ(file.image.header.compression, 0u) << "BI_RGB";
  EXPECT_EQ(file.image.header.sizeImage, 68u * 32u);
  EXPECT_EQ(logo.size(), file.pixelOffset + 68u * 32u);
  ASSERT_EQ(file.image.palette.size(), 16u);
  for (std::size_t index = 0; index < 16; ++index) {
    EXPECT_EQ(file.image.palette[index], PackedRgb(artgen::CLASSIC_PALETTE[index].rgb))
        << "entry " << index << " (" << artgen::CLASSIC_PALETTE[index].name << ")";
  }
}

// Where the layout places the emblem, the picture shows its 16-colour form;
// this also proves the rows are stored in the right order.
TEST(MenuLogoFile, ShowsTheEmblemWhereTheLayoutPutsIt) {
  int emblemX = -1;
  int emblemY = -1;
  const std::string layout = artgen::ReadFileText(ART_DIR / "menu_logo.txt");
  for (const artgen::SourceLine& line : artgen::SplitLines(layout)) {
    const auto words = artgen::SplitWords(line.text);
    if (words.size() == 4 && words[0] == "emblem") {
      emblemX = std::stoi(std::string(words[1]));
      emblemY = std::stoi(std::string(words[2]));
    }
  }
  ASSERT_GE(emblemX, 0) << "the layout places no emblem";
  EXPECT_LT(emblemX, 8) << "the emblem stands at the left";

  const artgen::PixelMap emblem = Emblem();
  const art_test::BitmapFile file = art_test::ReadBitmapFile(Committed("menu_logo.bmp"));
  int mismatches = 0;
  for (int y = 0; y < emblem.height; ++y) {
    for (int x = 0; x < emblem.width; ++x) {
      const artgen::MapColour& source = artgen::ColourAt(emblem, x, y);
      if (source.transparent) continue;
      const auto at = static_cast<std::size_t>((emblemY + y) * file.image.width + emblemX + x);
      if (file.image.pixels.at(at) != source.classicIndex) ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(Artwork, CommittedFilesAreWhatTheSourcesMake) {
  const artgen::Artwork made = artgen::GenerateArtwork(ART_DIR);
  EXPECT_TRUE(made.icon == Committed("tarivox.ico"))
      << "res/art/tarivox.ico is stale: rebuild the 'artwork' target and commit";
  EXPECT_TRUE(made.menuLogo == Committed("menu_logo.bmp"))
      << "res/art/menu_logo.bmp is stale: rebuild the 'artwork' target and commit";
}

}  // namespace
