#include "dib_reader.h"

#include <stdexcept>
#include <string>

namespace art_test {

namespace {

void RequireBytes(const Bytes& bytes, std::size_t offset, std::size_t count) {
  if (offset > bytes.size() || count > bytes.size() - offset) {
    throw std::out_of_range("read of " + std::to_string(count) + " bytes at " +
                            std::to_string(offset) + " past the end (" +
                            std::to_string(bytes.size()) + ")");
  }
}

InfoHeader ReadInfoHeader(const Bytes& bytes, std::size_t offset) {
  InfoHeader header{};
  header.size = ReadU32(bytes, offset);
  header.width = ReadI32(bytes, offset + 4);
  header.height = ReadI32(bytes, offset + 8);
  header.planes = ReadU16(bytes, offset + 12);
  header.bitCount = ReadU16(bytes, offset + 14);
  header.compression = ReadU32(bytes, offset + 16);
  header.sizeImage = ReadU32(bytes, offset + 20);
  header.coloursUsed = ReadU32(bytes, offset + 32);
  return header;
}

std::size_t Stride(int width, unsigned bitCount) {
  return (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
}

// Reads height rows stored bottom-up at offset; returns them top-down.
std::vector<int> ReadRows(const Bytes& bytes, std::size_t offset, int width, int height,
                          unsigned bitCount) {
  const std::size_t stride = Stride(width, bitCount);
  RequireBytes(bytes, offset, stride * static_cast<std::size_t>(height));
  std::vector<int> pixels(static_cast<std::size_t>(width * height));
  for (int storedRow = 0; storedRow < height; ++storedRow) {
    const std::size_t rowStart = offset + stride * static_cast<std::size_t>(storedRow);
    const int y = height - 1 - storedRow;
    for (int x = 0; x < width; ++x) {
      const std::size_t bit = static_cast<std::size_t>(x) * bitCount;
      const unsigned byte = bytes[rowStart + bit / 8];
      const unsigned shift = 8 - bitCount - static_cast<unsigned>(bit % 8);
      const unsigned value = (byte >> shift) & ((1u << bitCount) - 1);
      pixels[static_cast<std::size_t>(y * width + x)] = static_cast<int>(value);
    }
  }
  return pixels;
}

// Reads header and colour table; returns the offset of the pixel rows.
std::size_t ReadHeaderAndPalette(const Bytes& bytes, std::size_t offset, DecodedImage& image) {
  image.header = ReadInfoHeader(bytes, offset);
  if (image.header.size != 40) throw std::out_of_range("not a 40-byte info header");
  if (image.header.bitCount == 0 || image.header.bitCount > 8) {
    throw std::out_of_range("only palette images are read here");
  }
  const std::size_t entries = image.header.coloursUsed != 0
                                  ? image.header.coloursUsed
                                  : std::size_t{1} << image.header.bitCount;
  std::size_t position = offset + image.header.size;
  RequireBytes(bytes, position, entries * 4);
  for (std::size_t entry = 0; entry < entries; ++entry, position += 4) {
    image.palette.push_back(static_cast<std::uint32_t>(bytes[position + 2]) << 16 |
                            static_cast<std::uint32_t>(bytes[position + 1]) << 8 |
                            bytes[position]);
  }
  return position;
}

}  // namespace

unsigned ReadU16(const Bytes& bytes, std::size_t offset) {
  RequireBytes(bytes, offset, 2);
  return bytes[offset] | static_cast<unsigned>(bytes[offset + 1]) << 8;
}

std::uint32_t ReadU32(const Bytes& bytes, std::size_t offset) {
  return ReadU16(bytes, offset) | static_cast<std::uint32_t>(ReadU16(bytes, offset + 2)) << 16;
}

std::int32_t ReadI32(const Bytes& bytes, std::size_t offset) {
  return static_cast<std::int32_t>(ReadU32(bytes, offset));
}

IconDirectory ReadIconDirectory(const Bytes& bytes) {
  IconDirectory directory{ReadU16(bytes, 0), ReadU16(bytes, 2), {}};
  const unsigned count = ReadU16(bytes, 4);
  for (unsigned index = 0; index < count; ++index) {
    const std::size_t at = 6 + 16 * static_cast<std::size_t>(index);
    RequireBytes(bytes, at, 16);
    directory.entries.push_back({bytes[at], bytes[at + 1], bytes[at + 2], bytes[at + 3],
                                 ReadU16(bytes, at + 4), ReadU16(bytes, at + 6),
                                 ReadU32(bytes, at + 8), ReadU32(bytes, at + 12)});
  }
  return directory;
}

DecodedImage ReadIconImage(const Bytes& bytes, std::size_t offset) {
  DecodedImage image;
  const std::size_t rows = ReadHeaderAndPalette(bytes, offset, image);
  image.width = image.header.width;
  image.height = image.header.height / 2;
  if (image.width <= 0 || image.height <= 0) throw std::out_of_range("bad icon image size");
  image.pixels = ReadRows(bytes, rows, image.width, image.height, image.header.bitCount);
  const std::size_t maskOffset =
      rows + Stride(image.width, image.header.bitCount) * static_cast<std::size_t>(image.height);
  image.mask = ReadRows(bytes, maskOffset, image.width, image.height, 1);
  return image;
}

BitmapFile ReadBitmapFile(const Bytes& bytes) {
  BitmapFile file{ReadU16(bytes, 0), ReadU32(bytes, 2), ReadU32(bytes, 10), {}};
  ReadHeaderAndPalette(bytes, 14, file.image);
  file.image.width = file.image.header.width;
  file.image.height = file.image.header.height;
  if (file.image.width <= 0 || file.image.height <= 0) {
    throw std::out_of_range("only bottom-up bitmaps of positive size are expected");
  }
  file.image.pixels = ReadRows(bytes, file.pixelOffset, file.image.width, file.image.height,
                               file.image.header.bitCount);
  return file;
}

}  // namespace art_test
