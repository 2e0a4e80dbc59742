// ShowWindow with the minimised, maximised and normal states, and the
// window placement that remembers the normal rectangle.
#include "platform/user/window_manager.h"

namespace win32 {
namespace user {
namespace {

enum class Target { Keep, Minimized, Maximized, Normal };

// Moves the window into the given state and returns the SetWindowPos flags
// and rectangle that do it.
bool ChangeState(HWND hwnd, Target target, RECT& rect) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w || target == Target::Keep) return false;
    bool minimized = w->style & WS_MINIMIZE, maximized = w->style & WS_MAXIMIZE;
    switch (target) {
        case Target::Minimized: {
            if (minimized) return false;
            if (!maximized) w->normalRect = w->window;
            w->maximizeOnRestore = maximized;
            w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
            int cx = GetSystemMetrics(SM_CXMINIMIZED), cy = GetSystemMetrics(SM_CYMINIMIZED);
            rect = RECT{-32000, -32000, -32000 + cx, -32000 + cy};
            if (wm.focus == hwnd || IsDescendant(hwnd, wm.focus)) SetFocus(nullptr);
            return true;
        }
        case Target::Maximized: {
            if (maximized) return false;
            if (!minimized) w->normalRect = w->window;
            MINMAXINFO mmi = QueryMinMaxInfo(hwnd);
            if (!(w = wm.Find(hwnd))) return false;
            w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
            rect = RECT{mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxPosition.x + mmi.ptMaxSize.x,
                        mmi.ptMaxPosition.y + mmi.ptMaxSize.y};
            return true;
        }
        case Target::Normal: {
            if (!minimized && !maximized) return false;
            if (minimized && w->maximizeOnRestore) {
                // Back to maximised; the normal rectangle stays as it was.
                w->maximizeOnRestore = false;
                MINMAXINFO mmi = QueryMinMaxInfo(hwnd);
                if (!(w = wm.Find(hwnd))) return false;
                w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
                rect = RECT{mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxPosition.x + mmi.ptMaxSize.x,
                            mmi.ptMaxPosition.y + mmi.ptMaxSize.y};
                return true;
            }
            w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
            rect = w->normalRect;
            return true;
        }
        case Target::Keep: break;
    }
    return false;
}

// The top-level window that takes activation when `hwnd` is minimised.
HWND NextToActivate(HWND hwnd) {
    WindowManager& wm = Wm();
    for (HWND h : wm.Desktop()->children) {
        Window* o = wm.Find(h);
        if (h != hwnd && o && (o->style & WS_VISIBLE) && !(o->style & (WS_DISABLED | WS_MINIMIZE)) &&
            !(o->exStyle & WS_EX_TOOLWINDOW))
            return h;
    }
    return nullptr;
}

}  // namespace
}  // namespace user

using namespace user;

BOOL ShowWindow(HWND hwnd, int cmd) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w || hwnd == wm.DesktopHandle()) return FALSE;
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    bool child = (w->style & WS_CHILD) != 0;
    UINT flags = 0;
    bool show = true;
    Target target = Target::Keep;
    switch (cmd) {
        case SW_HIDE:
            if (!wasVisible) return FALSE;
            show = false;
            flags = SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE;
            if (hwnd != wm.active) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
            break;
        case SW_SHOWMINNOACTIVE:
        case SW_MINIMIZE:
        case SW_FORCEMINIMIZE:
            flags = SWP_NOACTIVATE | SWP_NOZORDER;
            target = Target::Minimized;
            break;
        case SW_SHOWMINIMIZED:
            target = Target::Minimized;
            break;
        case SW_SHOWMAXIMIZED:
            target = Target::Maximized;
            break;
        case SW_SHOWNA:
            flags = SWP_NOACTIVATE | SWP_NOZORDER;
            break;
        case SW_SHOW:
            break;
        case SW_SHOWNOACTIVATE:
            flags = SWP_NOACTIVATE | SWP_NOZORDER;
            if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) target = Target::Normal;
            break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
        case SW_SHOWDEFAULT:
            if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) target = Target::Normal;
            break;
        default:
            return FALSE;
    }
    if (show) flags |= SWP_SHOWWINDOW;
    if (child) flags |= SWP_NOACTIVATE | SWP_NOZORDER;

    if (show != wasVisible) {
        Send(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        if (!(w = wm.Find(hwnd))) return wasVisible;
    }
    RECT rect{};
    bool stateChanged = ChangeState(hwnd, target, rect);
    if (!(w = wm.Find(hwnd))) return wasVisible;
    if (stateChanged) {
        flags |= SWP_FRAMECHANGED | SWP_STATECHANGED;
    } else {
        flags |= SWP_NOSIZE | SWP_NOMOVE;
    }
    HWND activateAfter = nullptr;
    if (target == Target::Minimized && (cmd == SW_MINIMIZE || cmd == SW_FORCEMINIMIZE) && wm.active == hwnd)
        activateAfter = NextToActivate(hwnd);
    bool minimizing = stateChanged && target == Target::Minimized;
    bool restoring = stateChanged && target != Target::Minimized && target != Target::Keep;
    SetWindowPos(hwnd, HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 flags & ~SWP_STATECHANGED);
    // A display with a task bar shows a minimised top-level window there.
    if ((minimizing || restoring) && !child) {
        Window* moved = wm.Find(hwnd);
        backend::Backend* b = wm.Backend();
        if (moved && moved->host && b) {
            if (minimizing) b->MinimizeHost(moved->host);
            else if (moved->style & WS_VISIBLE) b->ShowHost(moved->host, true);
        }
    }
    if (activateAfter && wm.Find(activateAfter)) SetActiveWindow(activateAfter);
    return wasVisible ? TRUE : FALSE;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
    Window* w = Wm().Find(hwnd);
    if (!w || !placement) return FALSE;
    placement->length = sizeof(WINDOWPLACEMENT);
    placement->flags = w->maximizeOnRestore ? 2u /* WPF_RESTORETOMAXIMIZED */ : 0u;
    if (!(w->style & WS_VISIBLE)) placement->showCmd = SW_HIDE;
    else if (w->style & WS_MINIMIZE) placement->showCmd = SW_SHOWMINIMIZED;
    else if (w->style & WS_MAXIMIZE) placement->showCmd = SW_SHOWMAXIMIZED;
    else placement->showCmd = SW_SHOWNORMAL;
    placement->ptMinPosition = POINT{-1, -1};
    placement->ptMaxPosition = POINT{-1, -1};
    placement->rcNormalPosition = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->normalRect : w->window;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
    Window* w = Wm().Find(hwnd);
    if (!w || !placement) return FALSE;
    const RECT& r = placement->rcNormalPosition;
    if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
        w->normalRect = r;
    } else {
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(hwnd, static_cast<int>(placement->showCmd));
    return TRUE;
}

BOOL OpenIcon(HWND hwnd) { return IsIconic(hwnd) ? ShowWindow(hwnd, SW_RESTORE), TRUE : FALSE; }

BOOL CloseWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return FALSE;
    ShowWindow(hwnd, SW_MINIMIZE);
    return TRUE;
}

}  // namespace win32
