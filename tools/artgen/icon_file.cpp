#include "icon_file.h"

#include <stdexcept>

#include "dib.h"

namespace artgen {

namespace {

constexpr std::uint32_t ICON_DIR_BYTES = 6;
constexpr std::uint32_t ICON_ENTRY_BYTES = 16;

struct IconImage {
  IndexedImage colours;
  IndexedImage mask;  // 1 where the emblem is transparent
  std::vector<Rgb> table;
};

bool SameRgb(Rgb left, Rgb right) {
  return left.red == right.red && left.green == right.green && left.blue == right.blue;
}

// The 256-colour table starts with the classic sixteen, so transparent
// pixels (index 0, black) and classic colours need no new entry; each further
// colour of the map is appended once, in the order the map declares it.
std::vector<Rgb> FullColourTable(const PixelMap& emblem) {
  std::vector<Rgb> table;
  for (const ClassicColour& classic : CLASSIC_PALETTE) table.push_back(classic.rgb);
  for (const MapColour& colour : emblem.colours) {
    if (colour.transparent) continue;
    bool present = false;
    for (const Rgb known : table) present = present || SameRgb(known, colour.fullColour);
    if (!present) table.push_back(colour.fullColour);
  }
  if (table.size() > 256) throw std::runtime_error("emblem has more than 256 colours");
  return table;
}

int TableIndex(const std::vector<Rgb>& table, Rgb colour) {
  for (std::size_t index = 0; index < table.size(); ++index) {
    if (SameRgb(table[index], colour)) return static_cast<int>(index);
  }
  throw std::runtime_error("colour missing from the table");
}

IconImage MakeIconImage(const PixelMap& emblem, int bitsPerPixel) {
  IconImage image;
  image.colours = {emblem.width, emblem.height, bitsPerPixel, {}};
  image.mask = {emblem.width, emblem.height, 1, {}};
  if (bitsPerPixel == 8) {
    image.table = FullColourTable(emblem);
  } else {
    for (const ClassicColour& classic : CLASSIC_PALETTE) image.table.push_back(classic.rgb);
  }
  for (int y = 0; y < emblem.height; ++y) {
    for (int x = 0; x < emblem.width; ++x) {
      const MapColour& colour = ColourAt(emblem, x, y);
      int index = 0;
      if (!colour.transparent) {
        index = bitsPerPixel == 8 ? TableIndex(image.table, colour.fullColour)
                                  : colour.classicIndex;
      }
      image.colours.pixels.push_back(index);
      image.mask.pixels.push_back(colour.transparent ? 1 : 0);
    }
  }
  return image;
}

std::uint32_t ImageBytes(const IconImage& image) {
  const std::uint32_t tableEntries = 1u << image.colours.bitsPerPixel;
  return INFO_HEADER_BYTES + 4u * tableEntries + PixelBytes(image.colours) +
         PixelBytes(image.mask);
}

void PutDirectoryEntry(Bytes& out, const IconImage& image, std::uint32_t offset) {
  const int depth = image.colours.bitsPerPixel;
  PutU8(out, static_cast<unsigned>(image.colours.width));
  PutU8(out, static_cast<unsigned>(image.colours.height));
  PutU8(out, depth >= 8 ? 0u : (1u << depth));  // colour count; 0 means 256 or more
  PutU8(out, 0);                                 // reserved
  PutU16(out, 1);                                // planes
  PutU16(out, static_cast<unsigned>(depth));
  PutU32(out, ImageBytes(image));
  PutU32(out, offset);
}

void PutImage(Bytes& out, const IconImage& image) {
  const std::uint32_t pixelBytes = PixelBytes(image.colours) + PixelBytes(image.mask);
  PutInfoHeader(out, image.colours, 2 * image.colours.height, pixelBytes);
  PutColourTable(out, image.table, image.colours.bitsPerPixel);
  PutPixelRows(out, image.colours);
  PutPixelRows(out, image.mask);
}

}  // namespace

Bytes BuildIconFile(const PixelMap& emblem) {
  if (emblem.width != ICON_SIDE || emblem.height != ICON_SIDE) {
    throw std::runtime_error("the emblem must be 32 x 32 pixels");
  }
  const IconImage images[] = {MakeIconImage(emblem, 4), MakeIconImage(emblem, 8)};
  Bytes out;
  PutU16(out, 0);  // reserved
  PutU16(out, 1);  // resource type: icon
  PutU16(out, 2);  // image count
  std::uint32_t offset = ICON_DIR_BYTES + 2 * ICON_ENTRY_BYTES;
  for (const IconImage& image : images) {
    PutDirectoryEntry(out, image, offset);
    offset += ImageBytes(image);
  }
  for (const IconImage& image : images) PutImage(out, image);
  if (out.size() != offset) throw std::runtime_error("icon size does not add up");
  return out;
}

}  // namespace artgen
