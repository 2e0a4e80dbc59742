// System commands and the keys and clicks of the frame that lead to them:
// SC_CLOSE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE and the
// hand-off of SC_KEYMENU and SC_MOUSEMENU to the menu loop.
#include "platform/user/def_window_proc.h"
#include "platform/user/menu_bridge.h"

namespace win32 {
namespace user {
namespace {

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

HWND Root(HWND hwnd) {
    HWND top = TopLevelOf(hwnd);
    return top ? top : hwnd;
}

int SizeEdgeOf(LRESULT hit) {
    switch (hit) {
        case HTLEFT: return WMSZ_LEFT;
        case HTRIGHT: return WMSZ_RIGHT;
        case HTTOP: return WMSZ_TOP;
        case HTTOPLEFT: return WMSZ_TOPLEFT;
        case HTTOPRIGHT: return WMSZ_TOPRIGHT;
        case HTBOTTOM: return WMSZ_BOTTOM;
        case HTBOTTOMLEFT: return WMSZ_BOTTOMLEFT;
        case HTBOTTOMRIGHT:
        case HTSIZE: return WMSZ_BOTTOMRIGHT;
        default: return 0;
    }
}

}  // namespace

LRESULT OnSysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    Window* w = Wm().Find(hwnd);
    if (!w) return 0;
    WPARAM command = wParam & 0xFFF0;
    switch (command) {
        case SC_CLOSE:
            if (w->cls && (w->cls->style & CS_NOCLOSE)) return 0;
            Send(hwnd, WM_CLOSE);
            return 0;
        case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
        case SC_MAXIMIZE: ShowWindow(hwnd, SW_SHOWMAXIMIZED); return 0;
        case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
        case SC_MOVE:
            if (!(w->style & WS_MAXIMIZE)) RunMoveSizeLoop(hwnd, false, 0, (wParam & 0x0F) != 0);
            return 0;
        case SC_SIZE:
            if (!(w->style & (WS_MAXIMIZE | WS_MINIMIZE))) RunMoveSizeLoop(hwnd, true, static_cast<int>(wParam & 0x0F), (wParam & 0x0F) != 0);
            return 0;
        case SC_KEYMENU: menu::TrackKeyboardMenu(hwnd, static_cast<UINT>(lParam)); return 0;
        case SC_MOUSEMENU: menu::TrackMouseMenu(hwnd, static_cast<LRESULT>(wParam & 0x0F) == 0 ? HTMENU : static_cast<LRESULT>(wParam & 0x0F), PointOf(lParam)); return 0;
        default: return 0;
    }
}

LRESULT OnNcLButtonDown(HWND hwnd, WPARAM hitParam, LPARAM lParam) {
    Window* w = Wm().Find(hwnd);
    if (!w) return 0;
    LRESULT hit = static_cast<LRESULT>(static_cast<INT_PTR>(hitParam));
    switch (hit) {
        case HTCAPTION:
            if (!(w->style & WS_MAXIMIZE)) Send(hwnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, lParam);
            return 0;
        case HTLEFT:
        case HTRIGHT:
        case HTTOP:
        case HTTOPLEFT:
        case HTTOPRIGHT:
        case HTBOTTOM:
        case HTBOTTOMLEFT:
        case HTBOTTOMRIGHT:
        case HTSIZE:
            if (w->style & WS_THICKFRAME) Send(hwnd, WM_SYSCOMMAND, SC_SIZE + static_cast<WPARAM>(SizeEdgeOf(hit)), lParam);
            return 0;
        case HTCLOSE:
        case HTMINBUTTON:
        case HTMAXBUTTON: {
            if (!TrackCaptionButton(hwnd, hit)) return 0;
            if (!(w = Wm().Find(hwnd))) return 0;
            WPARAM cmd = hit == HTCLOSE ? SC_CLOSE
                         : hit == HTMINBUTTON ? ((w->style & WS_MINIMIZE) ? SC_RESTORE : SC_MINIMIZE)
                                              : ((w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE);
            Send(hwnd, WM_SYSCOMMAND, cmd, lParam);
            return 0;
        }
        case HTSYSMENU:
        case HTMENU:
            Send(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU + static_cast<WPARAM>(hit), lParam);
            return 0;
        case HTVSCROLL:
            TrackScrollBar(hwnd, SB_VERT, PointOf(lParam));
            return 0;
        case HTHSCROLL:
            TrackScrollBar(hwnd, SB_HORZ, PointOf(lParam));
            return 0;
        default: return 0;
    }
}

LRESULT OnNcLButtonDblClk(HWND hwnd, WPARAM hitParam, LPARAM lParam) {
    Window* w = Wm().Find(hwnd);
    if (!w) return 0;
    LRESULT hit = static_cast<LRESULT>(static_cast<INT_PTR>(hitParam));
    if (hit == HTCAPTION && (w->style & WS_MAXIMIZEBOX))
        Send(hwnd, WM_SYSCOMMAND, (w->style & (WS_MAXIMIZE | WS_MINIMIZE)) ? SC_RESTORE : SC_MAXIMIZE, lParam);
    else if (hit == HTSYSMENU)
        Send(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
    else if (hit == HTVSCROLL || hit == HTHSCROLL || hit == HTCLOSE || hit == HTMINBUTTON || hit == HTMAXBUTTON)
        return OnNcLButtonDown(hwnd, hitParam, lParam);  // a second quick press acts as a press
    return 0;
}

LRESULT OnNcRButtonUp(HWND hwnd, WPARAM hitParam, LPARAM lParam) {
    LRESULT hit = static_cast<LRESULT>(static_cast<INT_PTR>(hitParam));
    if (hit == HTCAPTION || hit == HTSYSMENU) Send(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), lParam);
    return 0;
}

LRESULT OnRButtonUp(HWND hwnd, LPARAM lParam) {
    POINT pt = PointOf(lParam);
    ClientToScreen(hwnd, &pt);
    Send(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd),
         MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
    return 0;
}

LRESULT OnSysKeyDown(HWND hwnd, WPARAM vk, LPARAM lParam) {
    bool alt = (static_cast<DWORD>(lParam) & (1u << 29)) != 0;
    if (alt && vk == VK_F4) {
        // Alt+F4 closes the top-level window.
        Send(Root(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return 0;
}

LRESULT OnSysKeyUp(HWND hwnd, WPARAM vk, LPARAM) {
    WindowManager& wm = Wm();
    bool alone = wm.altAlone;
    if (vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU) {
        wm.altAlone = false;
        // Alt pressed and released by itself opens the menu bar.
        if (alone) Send(Root(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
    } else if (vk == VK_F10 && !(GetKeyState(VK_SHIFT) & 0x8000) && !(GetKeyState(VK_CONTROL) & 0x8000)) {
        Send(Root(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
    }
    return 0;
}

LRESULT OnKeyUp(HWND, WPARAM, LPARAM) { return 0; }

LRESULT OnSysChar(HWND hwnd, WPARAM ch, LPARAM lParam) {
    bool alt = (static_cast<DWORD>(lParam) & (1u << 29)) != 0;
    if (!alt || ch == '\r' || ch == 0x1B) return 0;
    Send(Root(hwnd), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(ch));
    return 0;
}

}  // namespace user
}  // namespace win32
