// The window system's side of the menu system: the few places where
// windows, the frame and the keyboard hand over to menus. The menu files
// provide these functions (menu_bar.cpp, menu_track.cpp, menu_objects.cpp).
#pragma once

#include "platform/user/window_manager.h"

namespace win32::user::menu {

// The menu named by a class's lpszMenuName, loaded for a new window.
HMENU LoadClassMenu(const WindowClass* cls);

// Height of the menu bar of `hwnd` laid out in `width` pixels (0 when the
// window has no menu bar). Called while the frame is computed.
int MenuBarHeight(HWND hwnd, int width);

// Paints the menu bar into the window DC `dc`; `bar` is in window
// coordinates.
void PaintMenuBar(HWND hwnd, HDC dc, const RECT& bar);

// WM_SYSCOMMAND SC_KEYMENU reached DefWindowProcA: runs the menu loop for
// the keyboard (`key` is the character typed with Alt, 0 for Alt alone or
// F10, ' ' for the window menu).
void TrackKeyboardMenu(HWND hwnd, UINT key);

// A press on the menu bar (HTMENU) or the window-menu icon (HTSYSMENU)
// reached DefWindowProcA: runs the menu loop for the mouse.
void TrackMouseMenu(HWND hwnd, LRESULT hit, POINT screenPt);

// The window is being destroyed: close its menus and destroy its menu bar
// and window menu.
void WindowDestroyed(HWND hwnd);

// The window system is reset: every menu, window menu and menu loop state
// goes.
void ResetMenus();

}  // namespace win32::user::menu
