#include "dib.h"

#include <stdexcept>

namespace artgen {

void PutInfoHeader(Bytes& out, const IndexedImage& image, int storedHeight,
                   std::uint32_t pixelBytes) {
  PutU32(out, INFO_HEADER_BYTES);
  PutI32(out, image.width);
  PutI32(out, storedHeight);
  PutU16(out, 1);  // planes
  PutU16(out, static_cast<unsigned>(image.bitsPerPixel));
  PutU32(out, BI_RGB);
  PutU32(out, pixelBytes);
  PutI32(out, 0);  // horizontal resolution: none given
  PutI32(out, 0);  // vertical resolution: none given
  PutU32(out, 0);  // colours used: the whole table
  PutU32(out, 0);  // important colours: all
}

void PutColourTable(Bytes& out, const std::vector<Rgb>& colours, int bitsPerPixel) {
  const std::size_t entries = std::size_t{1} << bitsPerPixel;
  if (colours.size() > entries) throw std::runtime_error("too many colours for the depth");
  for (std::size_t index = 0; index < entries; ++index) {
    const Rgb colour = index < colours.size() ? colours[index] : Rgb{0, 0, 0};
    PutU8(out, colour.blue);
    PutU8(out, colour.green);
    PutU8(out, colour.red);
    PutU8(out, 0);
  }
}

void PutPixelRows(Bytes& out, const IndexedImage& image) {
  const int depth = image.bitsPerPixel;
  const int limit = 1 << depth;
  const std::uint32_t stride = StrideBytes(image.width, depth);
  for (int y = image.height - 1; y >= 0; --y) {
    std::uint32_t written = 0;
    unsigned pending = 0;
    int pendingBits = 0;
    for (int x = 0; x < image.width; ++x) {
      const int index = image.pixels[static_cast<std::size_t>(y * image.width + x)];
      if (index < 0 || index >= limit) throw std::runtime_error("palette index out of range");
      pending = (pending << depth) | static_cast<unsigned>(index);
      pendingBits += depth;
      if (pendingBits == 8) {
        PutU8(out, pending);
        ++written;
        pending = 0;
        pendingBits = 0;
      }
    }
    if (pendingBits > 0) {
      PutU8(out, pending << (8 - pendingBits));
      ++written;
    }
    for (; written < stride; ++written) PutU8(out, 0);
  }
}

std::uint32_t PixelBytes(const IndexedImage& image) {
  return StrideBytes(image.width, image.bitsPerPixel) * static_cast<std::uint32_t>(image.height);
}

}  // namespace artgen
