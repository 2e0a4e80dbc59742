#include "platform/user/window_system.h"

#include "platform/user/menu_bridge.h"
#include "platform/user/window_manager.h"

namespace win32::user {

void ResetWindowSystem() {
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
