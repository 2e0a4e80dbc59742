#include "platform/user/window_system.h"

#include <vector>

#include "platform/user/menu_bridge.h"
#include "platform/user/window_manager.h"

namespace win32::user {

void ResetWindowSystem() {
    // Windows still open are destroyed the ordinary way first, so the
    // controls among them free what they hold.
    std::vector<HWND> open;
    HWND desktop = Wm().Desktop() ? Wm().Desktop()->hwnd : nullptr;
    Wm().Windows().ForEach([&](std::uintptr_t, Window* w) {
        if (w->hwnd != desktop && w->parent == desktop && w->created) open.push_back(w->hwnd);
    });
    for (HWND h : open) {
        if (IsWindow(h)) DestroyWindow(h);
    }
    Wm().Reset();
    menu::ResetMenus();
    ResetSysColors();
    ResetSystemParameters();
}

unsigned HostOfWindow(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    return w ? w->host : 0;
}

}  // namespace win32::user
