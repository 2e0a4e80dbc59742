// Plain versions of the menu hand-over points: windows without menus.
#include "platform/user/menu_bridge.h"

namespace win32::user::menu {

HMENU LoadClassMenu(const WindowClass*) { return nullptr; }

int MenuBarHeight(HWND, int) { return 0; }

void PaintMenuBar(HWND, HDC, const RECT&) {}

void TrackKeyboardMenu(HWND, UINT) {}

void TrackMouseMenu(HWND, LRESULT, POINT) {}

void WindowDestroyed(HWND) {}

}  // namespace win32::user::menu
