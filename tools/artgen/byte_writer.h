// Little-endian field writing for the icon and bitmap file structures,
// independent of the byte order of the machine that runs the generator.
#pragma once

#include <cstdint>
#include <vector>

namespace artgen {

using Bytes = std::vector<std::uint8_t>;

void PutU8(Bytes& out, unsigned value);
void PutU16(Bytes& out, unsigned value);
void PutU32(Bytes& out, std::uint32_t value);
void PutI32(Bytes& out, std::int32_t value);

// Bytes of one row of pixels in a device-independent bitmap: rows are padded
// to a whole number of 32-bit words.
std::uint32_t StrideBytes(int width, int bitsPerPixel);

}  // namespace artgen
