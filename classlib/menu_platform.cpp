#include "classlib/menu_platform.h"

// The window system has no menu handles yet: menus work as item trees with
// shortcuts and commands, and gain their handles when the platform's menus
// arrive behind these functions.

namespace classlib::menu_platform {

win32::HMENU CreateMenuHandle(bool) { return nullptr; }
void DestroyMenuHandle(win32::HMENU) {}
void ClearMenu(win32::HMENU) {}
void AppendItem(win32::HMENU, const ItemSpec&) {}
void CheckItem(win32::HMENU, win32::UINT, bool) {}
void EnableItem(win32::HMENU, win32::UINT, bool) {}
void DrawBar(win32::HWND) {}
void SetWindowMenu(win32::HWND, win32::HMENU) {}
win32::HMENU SubMenu(win32::HMENU, int) { return nullptr; }
win32::UINT TrackPopup(win32::HMENU, PopupAlign, int, int, win32::HWND) { return 0; }

}  // namespace classlib::menu_platform
