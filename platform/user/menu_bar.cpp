// The menu bar: a window's menu in its non-client area, its height while
// the frame is computed, its painting, and the item geometry callers ask
// for (GetMenuItemRect, MenuItemFromPoint, HiliteMenuItem).
#include "platform/gdi/wingdi.h"
#include "platform/user/frame_layout.h"
#include "platform/user/menu.h"
#include "platform/user/menu_bridge.h"
#include "platform/user/menu_draw.h"
#include "platform/user/menu_layout.h"
#include "platform/user/menu_loop.h"
#include "platform/user/system_menu.h"

namespace win32::user::menu {
namespace {

Window* TopLevelWithMenu(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    if (!w || (w->style & WS_CHILD) || hwnd == Wm().DesktopHandle()) return nullptr;
    return w;
}

// Repaints the bar in place when its height stays; otherwise the frame is
// computed anew, which repaints it with the rest of the frame.
void RefreshBar(HWND hwnd) {
    Window* w = TopLevelWithMenu(hwnd);
    if (!w) return;
    if (Menu* m = FindMenu(reinterpret_cast<HMENU>(w->id))) InvalidateLayout(*m);
    FrameLayout f = ComputeFrameLayout(w);
    if (!(w = Wm().Find(hwnd))) return;
    RECT now = ClientInWindow(w);
    if (!(now == f.client)) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        return;
    }
    if (IsRectEmptyValue(f.menuBar) || !IsReallyVisible(w)) return;
    HDC dc = GetWindowDC(hwnd);
    if (!dc) return;
    DrawMenuBarItems(hwnd, dc, f.menuBar);
    ReleaseDC(hwnd, dc);
}

}  // namespace

HMENU LoadClassMenu(const WindowClass*) {
    // Menus are built in code; class menus named by resource have nothing
    // to load.
    return nullptr;
}

int MenuBarHeight(HWND hwnd, int width) {
    Window* w = TopLevelWithMenu(hwnd);
    if (!w) return 0;
    HMENU menu = reinterpret_cast<HMENU>(w->id);
    if (!FindMenu(menu)) return 0;
    Menu* m = FindMenu(menu);
    if (!m->barWindow) m->barWindow = hwnd;
    int rows = LayoutBar(menu, hwnd, width);
    return rows > 0 ? rows * metrics::BarRowHeight() + 1 : 0;
}

void PaintMenuBar(HWND hwnd, HDC dc, const RECT& bar) { DrawMenuBarItems(hwnd, dc, bar); }

void WindowDestroyed(HWND hwnd) {
    if (MenuTracker* t = Menus().tracker) t->OnWindowDestroyed(hwnd);
    DestroyWindowMenu(hwnd);
    Window* w = Wm().Find(hwnd);
    if (!w || (w->style & WS_CHILD) || !w->id) return;
    // A window takes its menu bar with it.
    HMENU menu = reinterpret_cast<HMENU>(w->id);
    w->id = 0;
    Menu* m = FindMenu(menu);
    if (m && (!m->barWindow || m->barWindow == hwnd)) DestroyMenu(menu);
}

}  // namespace win32::user::menu

namespace win32 {

using namespace user::menu;

BOOL SetMenu(HWND hwnd, HMENU menu) {
    user::Window* w = TopLevelWithMenu(hwnd);
    if (!w) return FALSE;
    Menu* m = nullptr;
    if (menu && !(m = FindMenu(menu))) return FALSE;
    HMENU old = reinterpret_cast<HMENU>(w->id);
    if (Menu* previous = FindMenu(old); previous && previous->barWindow == hwnd) {
        previous->barWindow = nullptr;
        previous->selected = -1;
    }
    if (MenuTracker* t = Menus().tracker) t->OnBarReplaced(hwnd);
    if (!(w = user::Wm().Find(hwnd))) return FALSE;
    w->id = reinterpret_cast<UINT_PTR>(menu);
    if ((m = FindMenu(menu))) {
        m->barWindow = hwnd;
        InvalidateLayout(*m);
    }
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

HMENU GetMenu(HWND hwnd) {
    user::Window* w = TopLevelWithMenu(hwnd);
    if (!w) return nullptr;
    HMENU menu = reinterpret_cast<HMENU>(w->id);
    return FindMenu(menu) ? menu : nullptr;
}

BOOL DrawMenuBar(HWND hwnd) {
    user::Window* w = TopLevelWithMenu(hwnd);
    if (!w) return FALSE;
    RefreshBar(hwnd);
    return TRUE;
}

BOOL GetMenuItemRect(HWND hwnd, HMENU menu, UINT item, LPRECT rect) {
    if (!rect) return FALSE;
    RECT r;
    if (!ItemScreenRect(hwnd, menu, static_cast<int>(item), r)) return FALSE;
    *rect = r;
    return TRUE;
}

int MenuItemFromPoint(HWND hwnd, HMENU menu, POINT screenPt) { return ItemAtScreenPoint(hwnd, menu, screenPt); }

BOOL HiliteMenuItem(HWND hwnd, HMENU menu, UINT item, UINT hilite) {
    if (GetMenu(hwnd) != menu || !menu) return FALSE;
    Menu* m = FindMenu(menu);
    int index = -1;
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        bool match = (hilite & MF_BYPOSITION) ? i == item : m->items[i].id == item;
        if (match) {
            index = static_cast<int>(i);
            break;
        }
    }
    if (index < 0) return FALSE;
    MenuItem& it = m->items[static_cast<std::size_t>(index)];
    bool on = (hilite & MF_HILITE) != 0;
    if (((it.state & MFS_HILITE) != 0) == on) return TRUE;
    if (on) it.state |= MFS_HILITE;
    else it.state &= ~MFS_HILITE;
    RedrawBarItem(hwnd, index, ODA_SELECT);
    return TRUE;
}

}  // namespace win32
