// The picture of the tray menu's About entry, composed from a layout: a
// background, filled bands, the emblem in its 16 colours and lines of
// lettering in a pixel font. The result uses the classic 16-colour palette.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "dib.h"

namespace artgen {

// Returns the text of a source file named by the layout (emblem map, fonts);
// throws when it cannot be read.
using SourceLoader = std::function<std::string(std::string_view name)>;

// Reads the layout:
//   size <width> <height>
//   background <classic colour>
//   fill <x> <y> <width> <height> <classic colour>
//   emblem <x> <y> <pixel map file>
//   text <x> <y> <font file> <classic colour> <the words to letter>
// and draws it. Anything that would fall outside the picture is an error.
IndexedImage ComposeMenuLogo(std::string_view layout, std::string_view source,
                             const SourceLoader& load);

}  // namespace artgen
