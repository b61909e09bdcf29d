// A classic Windows bitmap file (BITMAPFILEHEADER, BITMAPINFOHEADER, colour
// table, uncompressed bottom-up rows) in the classic 16-colour palette.
#pragma once

#include "byte_writer.h"
#include "dib.h"

namespace artgen {

inline constexpr std::uint32_t FILE_HEADER_BYTES = 14;

// The image must be 4 bits per pixel; throws std::runtime_error otherwise.
Bytes BuildBitmapFile(const IndexedImage& image);

}  // namespace artgen
