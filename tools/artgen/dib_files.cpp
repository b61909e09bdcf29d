// The icon file and the bitmap file as the resource compiler takes them:
// uncompressed device-independent bitmaps (BITMAPINFOHEADER, colour table,
// rows bottom-up, each padded to 32 bits), written little-endian whatever
// the machine that runs the generator.
#include <stdexcept>

#include "artgen.h"

namespace artgen {

namespace {

constexpr int INFO_HEADER_BYTES = 40;

void Put(Bytes& out, long long value, int byteCount) {
  for (int index = 0; index < byteCount; ++index, value >>= 8) {
    out.push_back(static_cast<std::uint8_t>(value));
  }
}

// Each row is padded to a whole number of 32-bit words.
int PixelBytes(const IndexedImage& image) {
  return (image.width * image.bitsPerPixel + 31) / 32 * 4 * image.height;
}

// storedHeight: an icon image counts its colour rows and mask rows together.
void PutInfoHeader(Bytes& out, const IndexedImage& image, int storedHeight, int pixelBytes) {
  Put(out, INFO_HEADER_BYTES, 4);
  Put(out, image.width, 4);
  Put(out, storedHeight, 4);
  Put(out, 1, 2);  // planes
  Put(out, image.bitsPerPixel, 2);
  Put(out, 0, 4);  // BI_RGB: uncompressed
  Put(out, pixelBytes, 4);
  Put(out, 0, 16);  // no resolution given; the whole colour table is used
}

// 1 << bitsPerPixel entries; those beyond the given colours are black.
void PutColourTable(Bytes& out, const std::vector<Rgb>& colours, int bitsPerPixel) {
  for (std::size_t index = 0; index < std::size_t{1} << bitsPerPixel; ++index) {
    const Rgb colour = index < colours.size() ? colours[index] : Rgb{0, 0, 0};
    Put(out, colour.red << 16 | colour.green << 8 | colour.blue, 4);
  }
}

// Bottom-up, the leftmost pixel in the most significant bits.
void PutRows(Bytes& out, const IndexedImage& image) {
  const int depth = image.bitsPerPixel;
  for (int y = image.height - 1; y >= 0; --y) {
    Bytes row(static_cast<std::size_t>(PixelBytes({image.width, 1, depth, {}})), 0);
    for (int x = 0; x < image.width; ++x) {
      const int bit = x * depth;
      const int index = image.pixels[static_cast<std::size_t>(y * image.width + x)];
      const auto byte = static_cast<std::size_t>(bit / 8);
      row[byte] |= static_cast<std::uint8_t>(index << (8 - depth - bit % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

std::vector<Rgb> ClassicTable() {
  std::vector<Rgb> table;
  for (const ClassicColour& classic : CLASSIC_PALETTE) table.push_back(classic.rgb);
  return table;
}

// The place of the colour in the table, where it is added if missing.
int TableIndex(std::vector<Rgb>& table, Rgb colour) {
  std::size_t index = 0;
  while (index < table.size() && !(table[index] == colour)) ++index;
  if (index == table.size()) table.push_back(colour);
  return static_cast<int>(index);
}

// One image of the icon: header, colour table, colour rows, then the mask
// rows (1 where the emblem is transparent). The 256-colour table starts with
// the classic sixteen, so transparent pixels (index 0, black under the mask)
// and classic colours need no entry of their own; each further colour is
// added once, in the order the emblem declares it.
Bytes IconImage(const PixelMap& emblem, int bitsPerPixel) {
  std::vector<Rgb> table = ClassicTable();
  for (const MapColour& colour : emblem.colours) {
    if (bitsPerPixel == 8 && !colour.transparent) TableIndex(table, colour.fullColour);
  }
  if (table.size() > 256) throw std::runtime_error("the emblem has more than 256 colours");
  IndexedImage colours{emblem.width, emblem.height, bitsPerPixel, {}};
  IndexedImage mask{emblem.width, emblem.height, 1, {}};
  for (const int symbol : emblem.pixels) {
    const MapColour& colour = emblem.colours[static_cast<std::size_t>(symbol)];
    int index = 0;
    if (!colour.transparent) {
      index = bitsPerPixel == 8 ? TableIndex(table, colour.fullColour) : colour.classicIndex;
    }
    colours.pixels.push_back(index);
    mask.pixels.push_back(colour.transparent ? 1 : 0);
  }
  Bytes out;
  PutInfoHeader(out, colours, 2 * emblem.height, PixelBytes(colours) + PixelBytes(mask));
  PutColourTable(out, table, bitsPerPixel);
  PutRows(out, colours);
  PutRows(out, mask);
  return out;
}

}  // namespace

// The emblem twice at 32 x 32, in 16 and in 256 colours. No 16 x 16 image is
// stored: the system scales the 32 x 32 one down for the notification area.
Bytes BuildIconFile(const PixelMap& emblem) {
  if (emblem.width != 32 || emblem.height != 32) {
    throw std::runtime_error("the emblem must be 32 x 32 pixels");
  }
  Bytes out;
  Put(out, 0, 2);  // reserved
  Put(out, 1, 2);  // an icon, not a cursor
  Put(out, 2, 2);  // image count
  Bytes images;    // they follow the directory of two 16-byte entries
  for (const int depth : {4, 8}) {
    const Bytes image = IconImage(emblem, depth);
    Put(out, 32, 1);
    Put(out, 32, 1);
    Put(out, depth == 4 ? 16 : 0, 1);  // colour count; 0 means 256
    Put(out, 0, 1);                     // reserved
    Put(out, 1, 2);                     // planes
    Put(out, depth, 2);
    Put(out, static_cast<long long>(image.size()), 4);
    Put(out, static_cast<long long>(6 + 2 * 16 + images.size()), 4);
    images.insert(images.end(), image.begin(), image.end());
  }
  out.insert(out.end(), images.begin(), images.end());
  return out;
}

// BITMAPFILEHEADER, then the image in the classic 16-colour palette.
Bytes BuildBitmapFile(const IndexedImage& image) {
  const int pixelOffset = 14 + INFO_HEADER_BYTES + 16 * 4;
  Bytes out{'B', 'M'};
  Put(out, pixelOffset + PixelBytes(image), 4);
  Put(out, 0, 4);  // reserved
  Put(out, pixelOffset, 4);
  PutInfoHeader(out, image, image.height, PixelBytes(image));
  PutColourTable(out, ClassicTable(), image.bitsPerPixel);
  PutRows(out, image);
  return out;
}

}  // namespace artgen
