#include "ui/menu_anchor.h"

namespace tarivox {

ScreenPoint MenuAnchor(ScreenPoint cursor, bool displayKnown, int width, int height) {
  if (!displayKnown) return cursor;
  ScreenPoint anchor = cursor;
  if (anchor.X < width - 50) anchor.X = width - 50;
  if (anchor.Y < height - 50) anchor.Y = height - 100;
  return anchor;
}

}  // namespace tarivox
