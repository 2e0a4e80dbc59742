// Keyboard focus and activation: WM_KILLFOCUS/WM_SETFOCUS,
// WM_NCACTIVATE/WM_ACTIVATE/WM_ACTIVATEAPP, and where they go when the
// window that had them is hidden or destroyed.
#include "platform/user/window_manager.h"

namespace win32 {
namespace user {
namespace {

bool CanTakeActivation(const Window* w, HWND excluded) {
    return w && w->hwnd != excluded && !w->destroying && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED) &&
           !(w->style & WS_MINIMIZE) && w->host;
}

// The window that becomes active when `gone` stops being so: its owner if it
// can, otherwise the highest other top-level window that can.
HWND SuccessorOf(HWND gone) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(gone);
    if (w) {
        Window* owner = wm.Find(w->owner);
        if (CanTakeActivation(owner, gone)) return owner->hwnd;
    }
    for (HWND h : wm.Desktop()->children) {
        Window* o = wm.Find(h);
        if (CanTakeActivation(o, gone) && !(o->exStyle & WS_EX_TOOLWINDOW)) return h;
    }
    return nullptr;
}

void RememberActivePopup(HWND hwnd) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w) return;
    for (Window* o = wm.Find(w->owner); o; o = wm.Find(o->owner)) o->lastActivePopup = hwnd;
    w->lastActivePopup = hwnd;
}

}  // namespace

void SendActivateApp(bool active) {
    std::vector<HWND> top = Wm().Desktop()->children;
    for (HWND h : top) {
        if (Wm().Find(h)) Send(h, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
    }
}

BOOL ActivateWindow(HWND hwnd, WORD how) {
    WindowManager& wm = Wm();
    if (hwnd) {
        hwnd = TopLevelOf(hwnd);
        if (!hwnd) return FALSE;
    }
    HWND old = wm.Find(wm.active) ? wm.active : nullptr;
    if (hwnd == old) {
        if (hwnd && GetWindow(wm.DesktopHandle(), GW_CHILD) != hwnd)
            SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return TRUE;
    }
    if (old) {
        if (!Send(old, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(hwnd)) && wm.Find(old)) return FALSE;
        if (wm.Find(old)) {
            Window* o = wm.Find(old);
            Send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, (o->style & WS_MINIMIZE) ? 1 : 0),
                 reinterpret_cast<LPARAM>(hwnd));
        }
    }
    if (hwnd && !wm.Find(hwnd)) hwnd = nullptr;
    wm.active = hwnd;
    if (!hwnd) {
        if (wm.focus) SetFocus(nullptr);
        if (wm.appActive) {
            wm.appActive = false;
            SendActivateApp(false);
        }
        return TRUE;
    }
    if (GetWindow(wm.DesktopHandle(), GW_CHILD) != hwnd)
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!wm.appActive) {
        wm.appActive = true;
        SendActivateApp(true);
    }
    if (wm.active != hwnd || !wm.Find(hwnd)) return TRUE;
    Send(hwnd, WM_NCACTIVATE, TRUE, reinterpret_cast<LPARAM>(old));
    if (!wm.Find(hwnd)) return TRUE;
    Window* w = wm.Find(hwnd);
    Send(hwnd, WM_ACTIVATE, MAKEWPARAM(how, (w->style & WS_MINIMIZE) ? 1 : 0), reinterpret_cast<LPARAM>(old));
    if (!wm.Find(hwnd)) return TRUE;
    RememberActivePopup(hwnd);
    if (backend::Backend* b = wm.Backend()) {
        if (Window* a = wm.Find(hwnd); a && a->host) b->ActivateHost(a->host);
    }
    // Focus left behind in the window that lost activation goes.
    if (wm.active == hwnd && wm.focus && wm.focus != hwnd && !IsDescendant(hwnd, wm.focus)) SetFocus(nullptr);
    return TRUE;
}

void OnWindowHiddenOrDestroyed(HWND hwnd) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w) return;
    if (wm.active == hwnd) {
        HWND next = SuccessorOf(hwnd);
        ActivateWindow(next, WA_ACTIVE);
        if (wm.active == hwnd) ActivateWindow(nullptr, WA_INACTIVE);
    }
    if (wm.focus && (wm.focus == hwnd || IsDescendant(hwnd, wm.focus))) {
        Window* cur = wm.Find(hwnd);
        HWND parent = cur && !IsTopLevel(cur) ? cur->parent : nullptr;
        Window* p = wm.Find(parent);
        SetFocus(p && IsReallyVisible(p) && !p->destroying ? parent : nullptr);
    }
    ReleaseCaptureOf(hwnd);
}

}  // namespace user

using namespace user;

HWND SetFocus(HWND hwnd) {
    WindowManager& wm = Wm();
    HWND old = wm.Find(wm.focus) ? wm.focus : nullptr;
    if (hwnd) {
        Window* w = wm.Find(hwnd);
        if (!w || hwnd == wm.DesktopHandle()) return nullptr;
        if (hwnd == old) return old;
        // Focus goes only into the active window; asking for it activates.
        HWND top = TopLevelOf(hwnd);
        if (top != wm.active) {
            ActivateWindow(top, WA_ACTIVE);
            if (!wm.Find(hwnd) || wm.active != top) return nullptr;
            old = wm.Find(wm.focus) ? wm.focus : nullptr;
            if (hwnd == old) return old;
        }
    } else if (!old) {
        wm.focus = nullptr;
        return nullptr;
    }
    if (old) {
        Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
        if (hwnd && !wm.Find(hwnd)) {
            wm.focus = nullptr;
            return old;
        }
    }
    wm.focus = hwnd;
    if (hwnd) Send(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus() {
    WindowManager& wm = Wm();
    return wm.Find(wm.focus) ? wm.focus : nullptr;
}

HWND SetActiveWindow(HWND hwnd) {
    WindowManager& wm = Wm();
    HWND old = wm.Find(wm.active) ? wm.active : nullptr;
    if (hwnd && !wm.Find(hwnd)) return nullptr;
    ActivateWindow(hwnd, WA_ACTIVE);
    return old;
}

HWND GetActiveWindow() {
    WindowManager& wm = Wm();
    return wm.Find(wm.active) ? wm.active : nullptr;
}

BOOL SetForegroundWindow(HWND hwnd) {
    if (!Wm().Find(hwnd)) return FALSE;
    return ActivateWindow(hwnd, WA_ACTIVE);
}

HWND GetForegroundWindow() { return GetActiveWindow(); }

}  // namespace win32
