// The application icon: one icon file holding the emblem twice at 32 x 32,
// as a 16-colour and as a 256-colour image, each with its transparency mask.
// No 16 x 16 image is stored: the system scales the 32 x 32 one down for the
// notification area.
#pragma once

#include "byte_writer.h"
#include "pixel_map.h"

namespace artgen {

inline constexpr int ICON_SIDE = 32;

// Throws std::runtime_error when the map is not 32 x 32 or has more colours
// than the 256-colour table can hold.
Bytes BuildIconFile(const PixelMap& emblem);

}  // namespace artgen
