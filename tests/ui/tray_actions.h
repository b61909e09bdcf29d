// A user at the notification-area icon, its menu and the About box.
#pragma once

#include <functional>

#include "platform/win32.h"

namespace tarivox::uitest {

// What the shell sends the window for a click on its icon: the button
// going down, then up.
void RightClickTrayIcon(HWND window);
void LeftClickTrayIcon(HWND window);

// Left click on the icon, then in the menu that opens: the item at this
// position chosen with the keyboard, or (position -1) the menu dismissed.
void PickFromTrayMenu(HWND window, int position);

// The About box open over the calculator, or nullptr.
HWND FindAboutBox(HWND calculator);

// Runs step(aboutBox) from the About box's own message loop once it has
// opened; a failure if it does not open within a few turns of the loop.
void WhenAboutBoxOpens(HWND calculator, std::function<void(HWND)> step);

}  // namespace tarivox::uitest
