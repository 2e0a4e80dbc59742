// Measuring menu items and laying menus out: pop-up menus in columns, the
// menu bar in rows. Owner-drawn items are measured by their owner window
// through WM_MEASUREITEM, once until they change.
#pragma once

#include "platform/user/menu.h"

namespace win32::user::menu {

// Lays a pop-up menu out (measuring what needs it) and returns its client
// size; columns break where the items ask or where a column would grow
// taller than `maxHeight`.
SIZE LayoutPopup(HMENU menu, HWND owner, int maxHeight);

// Lays the menu bar of `hwnd` out in `width` pixels; returns the number of
// rows (0 for a bar without items).
int LayoutBar(HMENU menu, HWND hwnd, int width);

// The menu bar of a window: its menu and the bar rectangle in window
// coordinates (empty when the window shows no bar).
struct BarPlace {
    HMENU menu = nullptr;
    RECT rect{0, 0, 0, 0};
};
BarPlace BarOf(HWND hwnd);

// Screen rectangle of an item of a shown menu (the bar of `hwnd`, or a
// pop-up menu with a window); false when the menu is not shown.
bool ItemScreenRect(HWND hwnd, HMENU menu, int index, RECT& out);

// The item of a shown menu under a screen point, or -1.
int ItemAtScreenPoint(HWND hwnd, HMENU menu, POINT pt);

// Width of a text as the menu font draws it (access-key marks take none).
SIZE MenuTextExtent(HDC dc, const std::string& text, bool bold);

}  // namespace win32::user::menu
