// The window class of pop-up menus, "#32768": a frame of its own (the
// classic raised edge and a ring of menu colour), the items painted from
// the menu, and no activation by the mouse.
#include "platform/user/popup_menu.h"

#include "platform/gdi/wingdi.h"
#include "platform/user/menu_draw.h"
#include "platform/user/menu_loop.h"

namespace win32::user::menu {
namespace {

constexpr const char* kClassName = "#32768";
constexpr int kMenuSlot = 0;
constexpr int kOwnerSlot = static_cast<int>(sizeof(LONG_PTR));

HMENU MenuOf(HWND hwnd) { return reinterpret_cast<HMENU>(GetWindowLongPtrA(hwnd, kMenuSlot)); }
HWND OwnerOf(HWND hwnd) { return reinterpret_cast<HWND>(GetWindowLongPtrA(hwnd, kOwnerSlot)); }

LRESULT OnNcCalcSize(LPARAM lParam) {
    RECT* r = reinterpret_cast<RECT*>(lParam);
    if (!r) return 0;
    int b = metrics::PopupBorder();
    r->left += b;
    r->top += b;
    r->right -= b;
    r->bottom -= b;
    if (r->right < r->left) r->right = r->left;
    if (r->bottom < r->top) r->bottom = r->top;
    return 0;
}

LRESULT OnNcPaint(HWND hwnd) {
    HDC dc = GetWindowDC(hwnd);
    if (!dc) return 0;
    RECT r;
    GetWindowRect(hwnd, &r);
    OffsetRect(&r, -r.left, -r.top);
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    HBRUSH menu = GetSysColorBrush(COLOR_MENU);
    for (int i = 2; i < metrics::PopupBorder(); ++i) {
        FrameRect(dc, &r, menu);
        InflateRect(&r, -1, -1);
    }
    ReleaseDC(hwnd, dc);
    return 0;
}

LRESULT OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return 0;
    HMENU menu = MenuOf(hwnd);
    if (FindMenu(menu)) DrawPopupMenu(menu, dc, OwnerOf(hwnd), ps.rcPaint);
    else FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_MENU));
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnTimer(HWND hwnd, WPARAM id) {
    if (id != kSubmenuTimer) return 0;
    KillTimer(hwnd, id);
    if (MenuTracker* t = Menus().tracker) t->OnSubmenuTimer(hwnd);
    return 0;
}

LRESULT CALLBACK PopupMenuProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NCCALCSIZE: return OnNcCalcSize(lParam);
        case WM_NCPAINT: return OnNcPaint(hwnd);
        case WM_NCHITTEST: return HTCLIENT;
        case WM_ERASEBKGND: return 1;  // the items cover the client area
        case WM_PAINT: return OnPaint(hwnd);
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_TIMER: return OnTimer(hwnd, wParam);
        case MN_GETHMENU: return reinterpret_cast<LRESULT>(MenuOf(hwnd));
        default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

bool EnsureClass() {
    WNDCLASSA wc{};
    if (GetClassInfoA(nullptr, kClassName, &wc)) return true;
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = PopupMenuProc;
    wc.cbWndExtra = 2 * static_cast<int>(sizeof(LONG_PTR));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

UINT SubmenuDelay() { return 400; }

SIZE PopupWindowSize(SIZE client) {
    int b = metrics::PopupBorder();
    return SIZE{client.cx + 2 * b, client.cy + 2 * b};
}

HWND CreatePopupWindow(HMENU menu, HWND owner, const RECT& bounds) {
    if (!EnsureClass()) return nullptr;
    HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, "", WS_POPUP | WS_CLIPSIBLINGS,
                                bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, owner,
                                nullptr, nullptr, nullptr);
    if (!hwnd) return nullptr;
    SetWindowLongPtrA(hwnd, kMenuSlot, reinterpret_cast<LONG_PTR>(menu));
    SetWindowLongPtrA(hwnd, kOwnerSlot, reinterpret_cast<LONG_PTR>(owner));
    return hwnd;
}

void ShowPopupWindow(HWND popup) {
    SetWindowPos(popup, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

}  // namespace win32::user::menu
