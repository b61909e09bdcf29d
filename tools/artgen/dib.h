// The pieces shared by icon images and bitmap files: the 40-byte
// BITMAPINFOHEADER, colour tables and packed, bottom-up pixel rows.
#pragma once

#include <vector>

#include "byte_writer.h"
#include "classic_palette.h"

namespace artgen {

inline constexpr std::uint32_t INFO_HEADER_BYTES = 40;
inline constexpr std::uint32_t BI_RGB = 0;

// An image in palette indices, row by row from the top.
struct IndexedImage {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 4;     // 1, 4 or 8
  std::vector<int> pixels;  // each below 1 << bitsPerPixel
};

// storedHeight is the height written to the header: an icon image counts its
// colour rows and its mask rows together.
void PutInfoHeader(Bytes& out, const IndexedImage& image, int storedHeight,
                   std::uint32_t pixelBytes);

// Writes 1 << bitsPerPixel RGBQUAD entries; entries beyond the given colours
// are black.
void PutColourTable(Bytes& out, const std::vector<Rgb>& colours, int bitsPerPixel);

// Writes the rows bottom-up, most significant bits first, each row padded to
// a 32-bit boundary. Throws std::runtime_error for an index that does not fit.
void PutPixelRows(Bytes& out, const IndexedImage& image);

std::uint32_t PixelBytes(const IndexedImage& image);

}  // namespace artgen
