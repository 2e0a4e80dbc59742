// The window menu of a window: its Japanese items, their state by the
// window's state, and where it opens.
#pragma once

#include "platform/user/menu.h"

namespace win32::user::menu {

// The window menu of `hwnd` (made on first use), or null for a window that
// has none.
HMENU WindowMenuOf(HWND hwnd);
// The one-item menu whose item opens the window menu: the place the window
// menu takes beside the menu bar in the menu loop.
HMENU WindowMenuHolder(HWND hwnd);
// Enables and greys the items by the window's state (as it is opened).
void UpdateWindowMenuState(HWND hwnd);
// Screen rectangle the window menu drops down from (the caption icon).
RECT WindowMenuAnchor(HWND hwnd);
void DestroyWindowMenu(HWND hwnd);

}  // namespace win32::user::menu
