// Window and client rectangles, coordinate mapping and finding the window
// under a point.
#include "platform/user/window_manager.h"

namespace win32 {
namespace user {
namespace {

bool Inside(const RECT& r, POINT pt) { return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom; }

// The deepest visible, enabled window under `pt` (screen) below `w`, asking
// each candidate's WM_NCHITTEST; HTTRANSPARENT passes the point on to the
// windows beneath. Returns null when `w` does not take the point.
HWND HitTestIn(HWND hwnd, POINT pt, LRESULT* hitOut) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w || !(w->style & WS_VISIBLE)) return nullptr;
    if (!Inside(ScreenWindowRect(w), pt)) return nullptr;
    if (IsTopLevel(w) && (w->style & WS_DISABLED)) {
        if (hitOut) *hitOut = HTERROR;
        return hwnd;
    }
    if (Inside(ScreenClientRect(w), pt) && !(w->style & WS_MINIMIZE)) {
        std::vector<HWND> children = w->children;
        for (HWND child : children) {
            Window* c = wm.Find(child);
            if (!c || !(c->style & WS_VISIBLE) || (c->style & WS_DISABLED)) continue;
            if (!Inside(ScreenWindowRect(c), pt)) continue;
            HWND found = HitTestIn(child, pt, hitOut);
            if (found) return found;
        }
    }
    LRESULT hit = Send(hwnd, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
    if (!wm.Find(hwnd)) return nullptr;
    if (hit == HTTRANSPARENT) return nullptr;
    if (hitOut) *hitOut = hit;
    return hwnd;
}

}  // namespace

// Shared with the mouse routing.
HWND WindowAtPoint(POINT pt, LRESULT* hit) {
    WindowManager& wm = Wm();
    if (hit) *hit = HTNOWHERE;
    std::vector<HWND> top = wm.Desktop()->children;
    for (HWND h : top) {
        HWND found = HitTestIn(h, pt, hit);
        if (found) return found;
    }
    return nullptr;
}

}  // namespace user

using namespace user;

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    Window* w = Wm().Find(hwnd);
    if (!w || !rect) return FALSE;
    *rect = ScreenWindowRect(w);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    Window* w = Wm().Find(hwnd);
    if (!w || !rect) return FALSE;
    *rect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT pt) {
    Window* w = Wm().Find(hwnd);
    if (!w || !pt) return FALSE;
    POINT o = ClientOrigin(w);
    pt->x -= o.x;
    pt->y -= o.y;
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT pt) {
    Window* w = Wm().Find(hwnd);
    if (!w || !pt) return FALSE;
    POINT o = ClientOrigin(w);
    pt->x += o.x;
    pt->y += o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    WindowManager& wm = Wm();
    POINT a{0, 0}, b{0, 0};
    if (from) {
        Window* w = wm.Find(from);
        if (!w) return 0;
        a = ClientOrigin(w);
    }
    if (to) {
        Window* w = wm.Find(to);
        if (!w) return 0;
        b = ClientOrigin(w);
    }
    int dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

HWND WindowFromPoint(POINT pt) { return WindowAtPoint(pt, nullptr); }

HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags) {
    WindowManager& wm = Wm();
    Window* p = wm.Find(parent);
    if (!p) return nullptr;
    RECT client{0, 0, p->client.right - p->client.left, p->client.bottom - p->client.top};
    if (parent != wm.DesktopHandle() && !(pt.x >= client.left && pt.x < client.right && pt.y >= client.top &&
                                          pt.y < client.bottom))
        return nullptr;
    POINT origin = ClientOrigin(p);
    POINT screen{pt.x + origin.x, pt.y + origin.y};
    for (HWND h : p->children) {
        Window* c = wm.Find(h);
        if (!c) continue;
        if ((flags & CWP_SKIPINVISIBLE) && !(c->style & WS_VISIBLE)) continue;
        if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED)) continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT)) continue;
        RECT r = ScreenWindowRect(c);
        if (screen.x >= r.left && screen.x < r.right && screen.y >= r.top && screen.y < r.bottom) return h;
    }
    return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) { return ChildWindowFromPointEx(parent, pt, CWP_ALL); }

}  // namespace win32
