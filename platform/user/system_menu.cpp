// The window menu ("system menu") with the items of a classic Japanese
// desktop, one copy per window, greyed by the window's state.
#include "platform/user/system_menu.h"

#include "platform/user/frame_layout.h"

namespace win32::user::menu {
namespace {

struct DefaultItem {
    WPARAM command;
    const char* text;
};

constexpr DefaultItem kRestore{SC_RESTORE, "元のサイズに戻す(&R)"};
constexpr DefaultItem kMove{SC_MOVE, "移動(&M)"};
constexpr DefaultItem kSize{SC_SIZE, "サイズ変更(&S)"};
constexpr DefaultItem kMinimize{SC_MINIMIZE, "最小化(&N)"};
constexpr DefaultItem kMaximize{SC_MAXIMIZE, "最大化(&X)"};
constexpr DefaultItem kClose{SC_CLOSE, "閉じる(&C)\tAlt+F4"};

bool HasWindowMenu(const Window* w) {
    if (!w || w->hwnd == Wm().DesktopHandle()) return false;
    // Child windows have one only when they ask for it (MDI children).
    return !(w->style & WS_CHILD) || (w->style & WS_SYSMENU);
}

void Append(HMENU menu, const DefaultItem& item) {
    AppendMenuA(menu, MF_STRING, item.command, item.text);
}

// The items a window of these styles offers: windows without minimise and
// maximise boxes keep moving, sizing (when they can be sized) and closing.
HMENU BuildWindowMenu(const Window* w, HWND hwnd) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    bool boxes = (w->style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0 && !(w->exStyle & WS_EX_TOOLWINDOW);
    if (boxes) Append(menu, kRestore);
    Append(menu, kMove);
    if (boxes || (w->style & WS_THICKFRAME)) Append(menu, kSize);
    if (boxes) {
        Append(menu, kMinimize);
        Append(menu, kMaximize);
    }
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    Append(menu, kClose);
    SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
    Menu* m = FindMenu(menu);
    m->system = true;
    m->systemOwner = hwnd;
    return menu;
}

void Enable(HMENU menu, WPARAM command, bool on) {
    EnableMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (on ? MF_ENABLED : MFS_GRAYED));
}

}  // namespace

HMENU WindowMenuOf(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    if (!HasWindowMenu(w)) return nullptr;
    MenuSystem::WindowMenu& entry = Menus().windowMenus[hwnd];
    if (!FindMenu(entry.popup)) {
        if (FindMenu(entry.wrapper)) DestroyMenu(entry.wrapper);
        entry.wrapper = nullptr;
        entry.popup = BuildWindowMenu(w, hwnd);
    }
    return entry.popup;
}

HMENU WindowMenuHolder(HWND hwnd) {
    HMENU popup = WindowMenuOf(hwnd);
    if (!popup) return nullptr;
    MenuSystem::WindowMenu& entry = Menus().windowMenus[hwnd];
    Menu* holder = FindMenu(entry.wrapper);
    if (!holder || holder->items.size() != 1 || holder->items[0].submenu != popup) {
        if (holder) {
            // The old holder must not take the window menu with it.
            holder->items.clear();
            DestroyMenu(entry.wrapper);
        }
        entry.wrapper = CreateMenu();
        AppendMenuA(entry.wrapper, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), "");
        holder = FindMenu(entry.wrapper);
        holder->system = true;
        holder->systemOwner = hwnd;
    }
    return entry.wrapper;
}

void UpdateWindowMenuState(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    HMENU menu = WindowMenuOf(hwnd);
    if (!w || !menu) return;
    bool minimized = (w->style & WS_MINIMIZE) != 0, maximized = (w->style & WS_MAXIMIZE) != 0;
    Enable(menu, SC_RESTORE, minimized || maximized);
    Enable(menu, SC_MOVE, !maximized);
    Enable(menu, SC_SIZE, (w->style & WS_THICKFRAME) && !minimized && !maximized);
    Enable(menu, SC_MINIMIZE, (w->style & WS_MINIMIZEBOX) && !minimized);
    Enable(menu, SC_MAXIMIZE, (w->style & WS_MAXIMIZEBOX) && !maximized);
    Enable(menu, SC_CLOSE, !(w->cls && (w->cls->style & CS_NOCLOSE)));
}

RECT WindowMenuAnchor(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    if (!w) return RECT{0, 0, 0, 0};
    RECT screen = ScreenWindowRect(w);
    FrameLayout f = ComputeFrameLayout(w);
    RECT anchor;
    if (!IsRectEmptyValue(f.sysMenu)) anchor = f.sysMenu;
    else if (f.hasCaption) anchor = RECT{f.caption.left, f.caption.top, f.caption.left + 1, f.caption.bottom + 1};
    else return RECT{screen.left, screen.top, screen.left + 1, screen.top + 1};
    OffsetRect(&anchor, screen.left, screen.top);
    return anchor;
}

void DestroyWindowMenu(HWND hwnd) {
    auto& all = Menus().windowMenus;
    auto it = all.find(hwnd);
    if (it == all.end()) return;
    MenuSystem::WindowMenu entry = it->second;
    all.erase(it);
    if (FindMenu(entry.wrapper)) DestroyMenu(entry.wrapper);  // takes the window menu with it
    if (FindMenu(entry.popup)) DestroyMenu(entry.popup);
}

}  // namespace win32::user::menu

namespace win32 {

using namespace user::menu;

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
    if (revert) {
        // The window goes back to the standard window menu, made afresh when
        // next asked for.
        DestroyWindowMenu(hwnd);
        return nullptr;
    }
    return WindowMenuOf(hwnd);
}

}  // namespace win32
