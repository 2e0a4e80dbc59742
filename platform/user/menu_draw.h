// Painting menus in the classic look: pop-up menu items with check marks,
// radio checks, shortcut columns, submenu arrows, separators and column
// bars; menu-bar items; and owner-drawn items through WM_DRAWITEM sent to
// the owner window with ODT_MENU.
#pragma once

#include "platform/user/menu.h"

namespace win32::user::menu {

// Paints every item of a laid-out pop-up menu (client coordinates of its
// window) that meets `clip`, on its background.
void DrawPopupMenu(HMENU menu, HDC dc, HWND owner, const RECT& clip);

// Paints one pop-up item again, with `action` (ODA_DRAWENTIRE or
// ODA_SELECT) for an owner-drawn one.
void DrawPopupItem(HMENU menu, int index, HDC dc, HWND owner, UINT action);

// Paints the menu bar of `hwnd` into its window DC; `bar` is the bar's
// rectangle in window coordinates.
void DrawMenuBarItems(HWND hwnd, HDC dc, const RECT& bar);

// Paints one item of the bar of `hwnd` again through a window DC of its own.
void RedrawBarItem(HWND hwnd, int index, UINT action);

}  // namespace win32::user::menu
