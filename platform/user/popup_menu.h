// Pop-up menu windows (class "#32768"): a window per open menu, with the
// classic raised border, painted from the menu's items, never activated.
#pragma once

#include "platform/user/menu.h"

namespace win32::user::menu {

// Creates the window of an open pop-up menu (hidden) at `bounds` (screen
// coordinates, border included); owner-drawn items are drawn by `owner`.
HWND CreatePopupWindow(HMENU menu, HWND owner, const RECT& bounds);

// Shows the window above every other without activating it.
void ShowPopupWindow(HWND popup);

// The whole window size for a client size, and back.
SIZE PopupWindowSize(SIZE client);

// The timer a pop-up window runs while the pointer rests on an item whose
// submenu opens after a moment.
constexpr UINT_PTR kSubmenuTimer = 0x4D4E;
UINT SubmenuDelay();

}  // namespace win32::user::menu
