// Keyboard accelerator tables: a key (with Shift, Ctrl, Alt) or a typed
// character that becomes WM_COMMAND, or WM_SYSCOMMAND for a command of the
// window menu; commands of disabled menu items are not sent.
#include <vector>

#include "platform/user/menu.h"
#include "platform/user/system_menu.h"

namespace win32::user::menu {
namespace {

struct AcceleratorTable {
    std::vector<ACCEL> entries;
};

HandleTable<AcceleratorTable>& Tables() {
    static HandleTable<AcceleratorTable> tables{HandleKind::Accelerator};
    return tables;
}

bool Down(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

bool Matches(const ACCEL& a, const MSG& msg) {
    bool keyMessage = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    bool alt = (static_cast<DWORD>(msg.lParam) & (1u << 29)) != 0;
    if (a.fVirt & FVIRTKEY) {
        if (!keyMessage || msg.wParam != a.key) return false;
        return Down(VK_SHIFT) == ((a.fVirt & FSHIFT) != 0) && Down(VK_CONTROL) == ((a.fVirt & FCONTROL) != 0) &&
               (alt || Down(VK_MENU)) == ((a.fVirt & FALT) != 0);
    }
    if (msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
    if (msg.wParam != a.key) return false;
    return ((a.fVirt & FALT) != 0) == alt;
}

// The menu item a command belongs to, in the window's menu bar or window
// menu; `system` tells which.
ItemRef ItemOfCommand(HWND hwnd, UINT command, bool& system) {
    system = false;
    if (HMENU bar = GetMenu(hwnd)) {
        if (ItemRef ref = FindItem(bar, command, MF_BYCOMMAND)) return ref;
    }
    if (HMENU windowMenu = WindowMenuOf(hwnd)) {
        if (ItemRef ref = FindItem(windowMenu, command, MF_BYCOMMAND)) {
            system = true;
            return ref;
        }
    }
    return {};
}

// The position of `submenu` among the items of the menu that holds it, for
// WM_INITMENUPOPUP.
int PositionInParent(HMENU root, HMENU submenu) {
    Menu* m = FindMenu(root);
    if (!m) return -1;
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        if (m->items[i].submenu == submenu) return static_cast<int>(i);
    }
    return -1;
}

void Deliver(HWND hwnd, UINT command) {
    bool system = false;
    ItemRef ref = ItemOfCommand(hwnd, command, system);
    Window* w = Wm().Find(hwnd);
    // The menus hear of it first, so they can set the item's state, unless
    // the window is minimised or something holds the mouse.
    if (ref && w && !(w->style & WS_MINIMIZE) && !GetCapture()) {
        HMENU root = system ? WindowMenuOf(hwnd) : GetMenu(hwnd);
        if (system) UpdateWindowMenuState(hwnd);
        SendMessageA(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(root), 0);
        if (ref.menu != root && IsWindow(hwnd)) {
            int pos = PositionInParent(root, ref.menu);
            SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(ref.menu),
                         MAKELPARAM(static_cast<WORD>(pos < 0 ? 0 : pos), system ? 1 : 0));
        }
        if (!IsWindow(hwnd)) return;
        ref = ItemOfCommand(hwnd, command, system);
    }
    if (const MenuItem* item = ref.Item(); item && item->IsDisabled()) return;
    if (system) SendMessageA(hwnd, WM_SYSCOMMAND, command, 0);
    else SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), 1), 0);
}

}  // namespace

}  // namespace win32::user::menu

namespace win32 {

using namespace user::menu;

HACCEL CreateAcceleratorTableA(LPACCEL entries, int count) {
    if (!entries || count <= 0) return nullptr;
    auto table = std::make_unique<AcceleratorTable>();
    table->entries.assign(entries, entries + count);
    return ToHandle<HACCEL>(Tables().Add(std::move(table)));
}

BOOL DestroyAcceleratorTable(HACCEL table) { return Tables().Remove(table) ? TRUE : FALSE; }

int CopyAcceleratorTableA(HACCEL table, LPACCEL entries, int count) {
    AcceleratorTable* t = Tables().Get(table);
    if (!t) return 0;
    int size = static_cast<int>(t->entries.size());
    if (!entries) return size;
    int n = count < size ? count : size;
    for (int i = 0; i < n; ++i) entries[i] = t->entries[static_cast<std::size_t>(i)];
    return n;
}

int TranslateAcceleratorA(HWND hwnd, HACCEL table, LPMSG msg) {
    AcceleratorTable* t = Tables().Get(table);
    if (!t || !msg || !IsWindow(hwnd)) return 0;
    for (const ACCEL& a : t->entries) {
        if (!Matches(a, *msg)) continue;
        Deliver(hwnd, a.cmd);
        return 1;
    }
    return 0;
}

}  // namespace win32
