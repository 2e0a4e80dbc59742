// SetWindowPos and what rests on it: MoveWindow, z-order, showing and
// hiding, with WM_WINDOWPOSCHANGING/WM_NCCALCSIZE/WM_WINDOWPOSCHANGED.
#include <algorithm>

#include "platform/user/window_manager.h"

namespace win32 {
namespace user {
namespace {

// Raises a top-level window and, above it, the windows it owns.
void RaiseWithOwned(HWND hwnd, HWND insertAfter, bool withOwned) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w) return;
    LinkIntoParent(w, insertAfter);
    if (!withOwned || !IsTopLevel(w)) return;
    // Keep the owned windows' relative order: collect bottom-up, insert each
    // at the top.
    std::vector<HWND> owned;
    const auto& list = wm.Desktop()->children;
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        Window* o = wm.Find(*it);
        if (o && o->owner == hwnd) owned.push_back(*it);
    }
    for (HWND h : owned) RaiseWithOwned(h, HWND_TOP, true);
}

void ApplyZOrder(Window* w, HWND insertAfter, UINT flags) {
    if (insertAfter == HWND_TOPMOST) {
        if (IsTopLevel(w)) w->exStyle |= WS_EX_TOPMOST;
        insertAfter = HWND_TOP;
    } else if (insertAfter == HWND_NOTOPMOST) {
        if (IsTopLevel(w)) w->exStyle &= ~WS_EX_TOPMOST;
        insertAfter = HWND_TOP;
    } else if (insertAfter == HWND_BOTTOM) {
        if (IsTopLevel(w)) w->exStyle &= ~WS_EX_TOPMOST;
    } else if (insertAfter != HWND_TOP) {
        Window* after = Wm().Find(insertAfter);
        if (!after || after->parent != w->parent || after == w) return;
    }
    bool top = insertAfter == HWND_TOP;
    RaiseWithOwned(w->hwnd, insertAfter, top && !(flags & SWP_NOOWNERZORDER));
}

void ShowOrHideHost(Window* w, bool show) {
    backend::Backend* b = Wm().Backend();
    if (!b || !w->host) return;
    b->ShowHost(w->host, show);
}

}  // namespace

}  // namespace user

using namespace user;

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w || hwnd == wm.DesktopHandle()) return FALSE;
    bool visibleBefore = (w->style & WS_VISIBLE) != 0;
    if ((flags & SWP_SHOWWINDOW) && visibleBefore) flags &= ~SWP_SHOWWINDOW;
    if ((flags & SWP_HIDEWINDOW) && !visibleBefore) flags &= ~SWP_HIDEWINDOW;
    if ((flags & SWP_SHOWWINDOW) && (flags & SWP_HIDEWINDOW)) flags &= ~SWP_HIDEWINDOW;
    if (!IsTopLevel(w)) flags |= SWP_NOACTIVATE;

    WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = w->window.left;
        pos.y = w->window.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = w->window.right - w->window.left;
        pos.cy = w->window.bottom - w->window.top;
    }
    bool nothing = (flags & SWP_NOMOVE || (pos.x == w->window.left && pos.y == w->window.top)) &&
                   (flags & SWP_NOSIZE || (pos.cx == w->window.right - w->window.left &&
                                           pos.cy == w->window.bottom - w->window.top)) &&
                   (flags & SWP_NOZORDER) && !(flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED)) &&
                   (flags & SWP_NOACTIVATE);
    if (nothing) return TRUE;

    if (!(flags & SWP_NOSENDCHANGING)) {
        Send(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        if (!(w = wm.Find(hwnd))) return FALSE;
        // The window procedure may have changed the flags too.
        flags = pos.flags;
    }
    if (pos.cx < 0) pos.cx = 0;
    if (pos.cy < 0) pos.cy = 0;
    // Win32 keeps coordinates within 16 bits of range.
    pos.cx = std::min(pos.cx, 32767);
    pos.cy = std::min(pos.cy, 32767);

    RECT oldWindow = w->window;
    RECT oldClient = w->client;
    RECT oldScreen = ScreenWindowRect(w);
    RECT newWindow{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
    bool sized = (newWindow.right - newWindow.left != oldWindow.right - oldWindow.left) ||
                 (newWindow.bottom - newWindow.top != oldWindow.bottom - oldWindow.top);
    bool moved = newWindow.left != oldWindow.left || newWindow.top != oldWindow.top;

    RECT newClient = oldClient;
    if (sized || (flags & SWP_FRAMECHANGED)) {
        newClient = ComputeClientRect(hwnd, newWindow);
        if (!(w = wm.Find(hwnd))) return FALSE;
    } else if (moved) {
        int dx = newWindow.left - oldWindow.left, dy = newWindow.top - oldWindow.top;
        newClient = RECT{oldClient.left + dx, oldClient.top + dy, oldClient.right + dx, oldClient.bottom + dy};
    }
    w->window = newWindow;
    w->client = newClient;

    if (!(flags & SWP_NOZORDER)) ApplyZOrder(w, pos.hwndInsertAfter, flags);
    if (flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;

    backend::Backend* b = wm.Backend();
    if (b && w->host) {
        if (sized || moved) b->SetHostBounds(w->host, w->window);
        if (flags & SWP_SHOWWINDOW) ShowOrHideHost(w, true);
        if (flags & SWP_HIDEWINDOW) ShowOrHideHost(w, false);
    }
    if (IsTopLevel(w) && (!(flags & SWP_NOZORDER) || (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)))) SyncHostStacking();

    if (flags & SWP_HIDEWINDOW) {
        OnWindowHiddenOrDestroyed(hwnd);
        if (!(w = wm.Find(hwnd))) return TRUE;
    }

    // Repainting: what the window left behind, and the window itself.
    if (!(flags & SWP_NOREDRAW)) {
        bool uncovered = (flags & SWP_HIDEWINDOW) || ((sized || moved) && (w->style & WS_VISIBLE));
        if (uncovered && visibleBefore && !IsTopLevel(w)) InvalidateScreenArea(oldScreen);
        if (w->style & WS_VISIBLE) {
            UINT cs = w->cls ? w->cls->style : 0;
            bool hRedraw = (cs & CS_HREDRAW) && (newClient.right - newClient.left != oldClient.right - oldClient.left);
            bool vRedraw = (cs & CS_VREDRAW) && (newClient.bottom - newClient.top != oldClient.bottom - oldClient.top);
            bool whole = (flags & SWP_SHOWWINDOW) || hRedraw || vRedraw || (moved && !IsTopLevel(w)) ||
                         (flags & SWP_NOCOPYBITS);
            if (whole) {
                InvalidateWindowArea(hwnd, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
            } else if (sized || (flags & SWP_FRAMECHANGED)) {
                // Only what is new, and the frame that moved with the edges.
                Region fresh(RECT{0, 0, newClient.right - newClient.left, newClient.bottom - newClient.top});
                int dx = (oldClient.left - oldWindow.left) - (newClient.left - newWindow.left);
                int dy = (oldClient.top - oldWindow.top) - (newClient.top - newWindow.top);
                fresh.Subtract(RECT{dx, dy, dx + oldClient.right - oldClient.left, dy + oldClient.bottom - oldClient.top});
                InvalidateWindowArea(hwnd, &fresh, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
                InvalidateWindowArea(hwnd, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
                if (flags & SWP_FRAMECHANGED) InvalidateWindowArea(hwnd, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
            }
        }
    }

    if (!(flags & SWP_NOACTIVATE) && (w->style & WS_VISIBLE) && IsTopLevel(w) && !(w->style & WS_CHILD)) {
        ActivateWindow(hwnd, WA_ACTIVE);
        if (!(w = wm.Find(hwnd))) return TRUE;
    }
    if ((flags & SWP_SHOWWINDOW) && !(flags & SWP_NOREDRAW) && !(flags & SWP_DEFERERASE)) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_ERASENOW | RDW_NOCHILDREN);
        if (!(w = wm.Find(hwnd))) return TRUE;
    }

    pos.flags = flags;
    if (w->sentPosChanged) {
        if (newClient.right - newClient.left == oldClient.right - oldClient.left &&
            newClient.bottom - newClient.top == oldClient.bottom - oldClient.top)
            pos.flags |= SWP_NOCLIENTSIZE;
        if (newClient.left == oldClient.left && newClient.top == oldClient.top) pos.flags |= SWP_NOCLIENTMOVE;
    }
    w->sentPosChanged = true;
    pos.x = w->window.left;
    pos.y = w->window.top;
    pos.cx = w->window.right - w->window.left;
    pos.cy = w->window.bottom - w->window.top;
    Send(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!repaint) flags |= SWP_NOREDRAW;
    return SetWindowPos(hwnd, nullptr, x, y, width, height, flags);
}

BOOL BringWindowToTop(HWND hwnd) { return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL IsWindowVisible(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    return w && IsReallyVisible(w);
}

BOOL IsIconic(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    return w && (w->style & WS_MINIMIZE);
}

BOOL IsZoomed(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    return w && (w->style & WS_MAXIMIZE);
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w) return FALSE;
    BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (enable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        Send(hwnd, WM_ENABLE, TRUE);
    } else if (!enable && !wasDisabled) {
        Send(hwnd, WM_CANCELMODE);
        if (!(w = wm.Find(hwnd))) return wasDisabled;
        w->style |= WS_DISABLED;
        if (wm.focus == hwnd || IsDescendant(hwnd, wm.focus)) SetFocus(nullptr);
        ReleaseCaptureOf(hwnd);
        if (wm.Find(hwnd)) Send(hwnd, WM_ENABLE, FALSE);
    }
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    return w && !(w->style & WS_DISABLED);
}

// Deferred positioning applies each request in turn; the batch is a list
// held behind the HDWP handle.
namespace {
struct DeferredPos {
    std::vector<WINDOWPOS> items;
};
HandleTable<DeferredPos>& DeferTable() {
    static HandleTable<DeferredPos> table(HandleKind::DeferWindowPos);
    return table;
}
}  // namespace

HDWP BeginDeferWindowPos(int count) {
    if (count < 0) return nullptr;
    auto batch = std::make_unique<DeferredPos>();
    batch->items.reserve(static_cast<std::size_t>(count));
    return ToHandle<HDWP>(DeferTable().Add(std::move(batch)));
}

HDWP DeferWindowPos(HDWP info, HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    DeferredPos* batch = DeferTable().Get(info);
    if (!batch) return nullptr;
    if (!Wm().Find(hwnd)) {
        DeferTable().Remove(info);
        return nullptr;
    }
    batch->items.push_back(WINDOWPOS{hwnd, insertAfter, x, y, cx, cy, flags});
    return info;
}

BOOL EndDeferWindowPos(HDWP info) {
    std::unique_ptr<DeferredPos> batch = DeferTable().Remove(info);
    if (!batch) return FALSE;
    for (const WINDOWPOS& p : batch->items) SetWindowPos(p.hwnd, p.hwndInsertAfter, p.x, p.y, p.cx, p.cy, p.flags);
    return TRUE;
}

}  // namespace win32
