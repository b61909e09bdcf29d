#include "byte_writer.h"

namespace artgen {

void PutU8(Bytes& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
}

void PutU16(Bytes& out, unsigned value) {
  PutU8(out, value);
  PutU8(out, value >> 8);
}

void PutU32(Bytes& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFFu);
  PutU16(out, value >> 16);
}

void PutI32(Bytes& out, std::int32_t value) {
  PutU32(out, static_cast<std::uint32_t>(value));
}

std::uint32_t StrideBytes(int width, int bitsPerPixel) {
  const auto bits = static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bitsPerPixel);
  return (bits + 31u) / 32u * 4u;
}

}  // namespace artgen
