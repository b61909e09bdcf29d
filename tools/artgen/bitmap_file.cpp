#include "bitmap_file.h"

#include <stdexcept>

namespace artgen {

Bytes BuildBitmapFile(const IndexedImage& image) {
  if (image.bitsPerPixel != 4) throw std::runtime_error("the menu picture has 16 colours");
  std::vector<Rgb> table;
  for (const ClassicColour& classic : CLASSIC_PALETTE) table.push_back(classic.rgb);
  const std::uint32_t pixelOffset = FILE_HEADER_BYTES + INFO_HEADER_BYTES + 4u * 16u;
  const std::uint32_t pixelBytes = PixelBytes(image);
  Bytes out;
  PutU8(out, 'B');
  PutU8(out, 'M');
  PutU32(out, pixelOffset + pixelBytes);
  PutU16(out, 0);  // reserved
  PutU16(out, 0);  // reserved
  PutU32(out, pixelOffset);
  PutInfoHeader(out, image, image.height, pixelBytes);
  PutColourTable(out, table, 4);
  PutPixelRows(out, image);
  if (out.size() != pixelOffset + pixelBytes) throw std::runtime_error("bitmap size does not add up");
  return out;
}

}  // namespace artgen
