// The modal loop of SC_MOVE and SC_SIZE: the window follows the mouse (or
// the arrow keys), as an inverted outline on the desktop unless full
// window dragging is on; WM_GETMINMAXINFO limits the size; Escape or a lost
// capture cancels.
#include <algorithm>

#include "platform/gdi/wingdi.h"
#include "platform/user/def_window_proc.h"

namespace win32 {
namespace user {

bool DragFullWindows();

namespace {

void InvertFrame(HDC dc, const RECT& r, int t) {
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    if (w <= 2 * t || h <= 2 * t) {
        PatBlt(dc, r.left, r.top, w, h, DSTINVERT);
        return;
    }
    PatBlt(dc, r.left, r.top, w, t, DSTINVERT);
    PatBlt(dc, r.left, r.bottom - t, w, t, DSTINVERT);
    PatBlt(dc, r.left, r.top + t, t, h - 2 * t, DSTINVERT);
    PatBlt(dc, r.right - t, r.top + t, t, h - 2 * t, DSTINVERT);
}

struct Loop {
    HWND hwnd;
    bool sizing;
    int edge;
    RECT start;   // screen coordinates
    RECT current;
    POINT anchor;
    MINMAXINFO limits;
    HDC desktop = nullptr;
    bool outline = false;
    bool outlineShown = false;
};

RECT Proposed(const Loop& l, POINT pt) {
    int dx = pt.x - l.anchor.x, dy = pt.y - l.anchor.y;
    RECT r = l.start;
    if (!l.sizing) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
        return r;
    }
    bool left = l.edge == WMSZ_LEFT || l.edge == WMSZ_TOPLEFT || l.edge == WMSZ_BOTTOMLEFT;
    bool right = l.edge == WMSZ_RIGHT || l.edge == WMSZ_TOPRIGHT || l.edge == WMSZ_BOTTOMRIGHT;
    bool top = l.edge == WMSZ_TOP || l.edge == WMSZ_TOPLEFT || l.edge == WMSZ_TOPRIGHT;
    bool bottom = l.edge == WMSZ_BOTTOM || l.edge == WMSZ_BOTTOMLEFT || l.edge == WMSZ_BOTTOMRIGHT;
    auto clampSize = [&](int size, int minSize, int maxSize) { return std::clamp(size, minSize, std::max(minSize, maxSize)); };
    if (left) r.left = r.right - clampSize(r.right - (r.left + dx), l.limits.ptMinTrackSize.x, l.limits.ptMaxTrackSize.x);
    if (right) r.right = r.left + clampSize(r.right + dx - r.left, l.limits.ptMinTrackSize.x, l.limits.ptMaxTrackSize.x);
    if (top) r.top = r.bottom - clampSize(r.bottom - (r.top + dy), l.limits.ptMinTrackSize.y, l.limits.ptMaxTrackSize.y);
    if (bottom) r.bottom = r.top + clampSize(r.bottom + dy - r.top, l.limits.ptMinTrackSize.y, l.limits.ptMaxTrackSize.y);
    return r;
}

void ShowAt(Loop& l, RECT r) {
    // The window may adjust the rectangle (WM_MOVING / WM_SIZING).
    Send(l.hwnd, l.sizing ? WM_SIZING : WM_MOVING, static_cast<WPARAM>(l.edge), reinterpret_cast<LPARAM>(&r));
    if (r == l.current) return;
    int t = GetSystemMetrics(SM_CXFRAME);
    if (l.outline) {
        if (l.outlineShown) InvertFrame(l.desktop, l.current, t);
        InvertFrame(l.desktop, r, t);
        l.outlineShown = true;
        l.current = r;
        return;
    }
    l.current = r;
    Window* w = Wm().Find(l.hwnd);
    if (!w) return;
    POINT parentOrigin = ClientOrigin(Wm().Find(w->parent));
    SetWindowPos(l.hwnd, nullptr, r.left - parentOrigin.x, r.top - parentOrigin.y, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(l.hwnd);
}

}  // namespace

void RunMoveSizeLoop(HWND hwnd, bool sizing, int edge, bool byMouse) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w) return;
    Loop l{hwnd, sizing, edge ? edge : static_cast<int>(WMSZ_BOTTOMRIGHT), ScreenWindowRect(w), ScreenWindowRect(w), wm.cursorPos,
           QueryMinMaxInfo(hwnd)};
    if (!wm.Find(hwnd)) return;
    if (!byMouse) {
        // From the keyboard the pointer starts at the centre (moving) or the
        // lower-right corner (sizing) of the window.
        l.anchor = sizing ? POINT{l.start.right - 1, l.start.bottom - 1}
                          : POINT{(l.start.left + l.start.right) / 2, (l.start.top + l.start.bottom) / 2};
    }
    Send(hwnd, WM_ENTERSIZEMOVE);
    if (!wm.Find(hwnd)) return;
    l.outline = !DragFullWindows();
    if (l.outline) {
        LockWindowUpdate(GetDesktopWindow());
        l.desktop = GetDCEx(GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
        InvertFrame(l.desktop, l.current, GetSystemMetrics(SM_CXFRAME));
        l.outlineShown = true;
    }
    SetCapture(hwnd);
    POINT keyPt = l.anchor;
    bool accept = false;
    MSG msg;
    for (;;) {
        if (GetCapture() != hwnd) break;
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!wm.Find(hwnd)) break;
        if (msg.message == WM_MOUSEMOVE) {
            ShowAt(l, Proposed(l, msg.pt));
        } else if (msg.message == WM_LBUTTONUP) {
            ShowAt(l, Proposed(l, msg.pt));
            accept = true;
            break;
        } else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            if (msg.wParam == VK_ESCAPE) break;
            if (msg.wParam == VK_RETURN) {
                accept = true;
                break;
            }
            int step = 8;
            if (msg.wParam == VK_LEFT) keyPt.x -= step;
            else if (msg.wParam == VK_RIGHT) keyPt.x += step;
            else if (msg.wParam == VK_UP) keyPt.y -= step;
            else if (msg.wParam == VK_DOWN) keyPt.y += step;
            else continue;
            ShowAt(l, Proposed(l, keyPt));
        } else if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP || msg.message == WM_CHAR ||
                   msg.message == WM_SYSCHAR || (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MBUTTONDBLCLK)) {
            continue;
        } else {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (GetCapture() == hwnd) ReleaseCapture();
    if (l.outline) {
        if (l.outlineShown) InvertFrame(l.desktop, l.current, GetSystemMetrics(SM_CXFRAME));
        ReleaseDC(GetDesktopWindow(), l.desktop);
        LockWindowUpdate(nullptr);
    }
    if (!(w = wm.Find(hwnd))) return;
    RECT target = accept ? l.current : l.start;
    RECT now = ScreenWindowRect(w);
    if (!(target == now)) {
        POINT parentOrigin = ClientOrigin(wm.Find(w->parent));
        SetWindowPos(hwnd, nullptr, target.left - parentOrigin.x, target.top - parentOrigin.y,
                     target.right - target.left, target.bottom - target.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (wm.Find(hwnd)) Send(hwnd, WM_EXITSIZEMOVE);
}

}  // namespace user
}  // namespace win32
