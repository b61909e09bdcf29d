// An independent reader of icon and bitmap files for the artwork tests. It
// shares no code with the generator, so a fault in the writer cannot be
// mirrored by the reader. Every read is bounds-checked: a truncated or
// inconsistent file throws std::out_of_range instead of reading past the end.
#pragma once

#include <cstdint>
#include <vector>

namespace art_test {

using Bytes = std::vector<std::uint8_t>;

unsigned ReadU16(const Bytes& bytes, std::size_t offset);
std::uint32_t ReadU32(const Bytes& bytes, std::size_t offset);
std::int32_t ReadI32(const Bytes& bytes, std::size_t offset);

struct IconEntry {
  unsigned width;  // as stored: 0 would mean 256
  unsigned height;
  unsigned colourCount;
  unsigned reserved;
  unsigned planes;
  unsigned bitCount;
  std::uint32_t bytesInRes;
  std::uint32_t imageOffset;
};

struct IconDirectory {
  unsigned reserved;
  unsigned type;
  std::vector<IconEntry> entries;
};

struct InfoHeader {
  std::uint32_t size;
  std::int32_t width;
  std::int32_t height;
  unsigned planes;
  unsigned bitCount;
  std::uint32_t compression;
  std::uint32_t sizeImage;
  std::uint32_t coloursUsed;
};

// A decoded device-independent bitmap, rows from the top.
struct DecodedImage {
  InfoHeader header;
  std::vector<std::uint32_t> palette;  // 0xRRGGBB
  int width = 0;
  int height = 0;
  std::vector<int> pixels;  // palette indices
  std::vector<int> mask;    // icon images only: 1 = transparent
};

IconDirectory ReadIconDirectory(const Bytes& bytes);

// Decodes the icon image at offset: header height counts colour and mask rows.
DecodedImage ReadIconImage(const Bytes& bytes, std::size_t offset);

struct BitmapFile {
  unsigned signature;  // "BM" read as a little-endian 16-bit value
  std::uint32_t fileSize;
  std::uint32_t pixelOffset;
  DecodedImage image;
};

BitmapFile ReadBitmapFile(const Bytes& bytes);

}  // namespace art_test
