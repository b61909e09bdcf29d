// Where the tray menu opens: pulled towards the bottom-right corner of the
// display. A pure rule, kept apart from the windowing calls so that it can
// be checked on its own.
#pragma once

namespace tarivox {

struct ScreenPoint {
  int X;
  int Y;
};

// x is raised to at least width - 50; y keeps the cursor's value only in the
// bottom 50 pixels and becomes height - 100 elsewhere. Not a clamp: keeping
// the menu on the screen is the menu's own placement. Without a display
// size (the query failed) the menu opens at the cursor.
ScreenPoint MenuAnchor(ScreenPoint cursor, bool displayKnown, int width, int height);

}  // namespace tarivox
