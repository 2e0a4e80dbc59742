// Update regions and WM_PAINT: invalidation merges into each window's
// update region; painting happens when the queue has nothing else, parents
// before their children; BeginPaint hands out a DC clipped to what needs
// painting.
#include "platform/gdi/gdi_object.h"
#include "platform/user/device_contexts.h"
#include "platform/user/window_manager.h"

namespace win32 {
namespace user {
namespace {

RECT ClientBox(const Window* w) {
    return RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
}

bool NeedsPaint(const Window* w) {
    return !w->update.IsEmpty() || w->ncPaintPending || w->internalPaint;
}

// Applies `flags` to one window; `rgn` is in its client coordinates (null:
// the whole window).
void ApplyToWindow(Window* w, const Region* rgn, UINT flags) {
    Region area = rgn ? *rgn : Region(ClientBox(w));
    area.IntersectWith(ClientBox(w));
    if (flags & RDW_INVALIDATE) {
        if (!IsReallyVisible(w)) return;
        w->update.UnionWith(area);
        if ((flags & RDW_ERASE) && !area.IsEmpty()) w->erasePending = true;
        if (flags & RDW_FRAME) w->ncPaintPending = true;
    }
    if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
    if (flags & RDW_VALIDATE) {
        if (rgn) w->update.Subtract(area);
        else w->update.SetEmpty();
        if (w->update.IsEmpty()) w->erasePending = false;
        if (flags & RDW_FRAME) w->ncPaintPending = false;
        if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
    }
    if (flags & RDW_NOERASE) w->erasePending = false;
}

void ApplyTree(HWND hwnd, const Region* rgn, UINT flags) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w) return;
    ApplyToWindow(w, rgn, flags);
    if (flags & RDW_NOCHILDREN) return;
    bool children = (flags & RDW_ALLCHILDREN) || !(w->style & WS_CLIPCHILDREN);
    if (!children) return;
    for (HWND child : w->children) {
        Window* c = wm.Find(child);
        if (!c || !(c->style & WS_VISIBLE)) continue;
        // The child's client coordinates from the parent's.
        int dx = c->client.left, dy = c->client.top;
        UINT childFlags = flags & ~(RDW_NOCHILDREN);
        if (rgn) {
            Region sub = *rgn;
            RECT box{c->window.left, c->window.top, c->window.right, c->window.bottom};
            if (!sub.Intersects(box)) continue;
            sub.Offset(-dx, -dy);
            // A parent's invalidated area takes the child's frame with it.
            if (flags & RDW_INVALIDATE) childFlags |= RDW_FRAME;
            ApplyTree(child, &sub, childFlags);
        } else {
            if (flags & RDW_INVALIDATE) childFlags |= RDW_FRAME;
            ApplyTree(child, nullptr, childFlags);
        }
    }
}

// Sends the painting messages that RDW_ERASENOW / RDW_UPDATENOW ask for.
void PaintNow(HWND hwnd, bool erase, bool update, bool children) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w || !IsReallyVisible(w)) return;
    if (w->ncPaintPending) {
        w->ncPaintPending = false;
        Send(hwnd, WM_NCPAINT, 1, 0);
        if (!(w = wm.Find(hwnd))) return;
    }
    if (erase && w->erasePending) {
        w->erasePending = false;
        HDC dc = GetDCEx(hwnd, nullptr, DCX_CACHE | DCX_INTERSECTUPDATE);
        if (dc) {
            LRESULT erased = Send(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            ReleaseDC(hwnd, dc);
            if ((w = wm.Find(hwnd)) && !erased) w->erasePending = true;
        }
        if (!(w = wm.Find(hwnd))) return;
    }
    if (update && NeedsPaint(w)) {
        Send(hwnd, WM_PAINT, 0, 0);
        if (!(w = wm.Find(hwnd))) return;
    }
    if (!children) return;
    std::vector<HWND> list = w->children;
    for (HWND child : list) PaintNow(child, erase, update, true);
}

bool FindIn(HWND hwnd, HWND& found) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w || !(w->style & WS_VISIBLE)) return false;
    if (NeedsPaint(w)) {
        found = hwnd;
        return true;
    }
    for (HWND child : w->children) {
        if (FindIn(child, found)) return true;
    }
    return false;
}

}  // namespace

void InvalidateWindowArea(HWND hwnd, const Region* clientRgn, UINT flags) { ApplyTree(hwnd, clientRgn, flags); }

void InvalidateScreenArea(const RECT& screenRect) {
    WindowManager& wm = Wm();
    std::vector<HWND> top = wm.Desktop()->children;
    for (HWND h : top) {
        Window* w = wm.Find(h);
        if (!w || !(w->style & WS_VISIBLE)) continue;
        RECT wr = ScreenWindowRect(w);
        if (IsRectEmptyValue(IntersectRectValue(wr, screenRect))) continue;
        POINT o = ClientOrigin(w);
        Region r(screenRect);
        r.Offset(-o.x, -o.y);
        ApplyTree(h, &r, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        RECT cr = ScreenClientRect(w);
        bool touchesFrame = !(screenRect.left >= cr.left && screenRect.top >= cr.top && screenRect.right <= cr.right &&
                              screenRect.bottom <= cr.bottom);
        if (touchesFrame) w->ncPaintPending = true;
    }
}

bool FindWindowToPaint(HWND filter, HWND& found) {
    WindowManager& wm = Wm();
    if (filter) return FindIn(filter, found);
    for (HWND h : wm.Desktop()->children) {
        if (FindIn(h, found)) return true;
    }
    return false;
}

void PresentAll() {
    WindowManager& wm = Wm();
    backend::Backend* b = wm.Backend();
    if (!b) return;
    for (HWND h : wm.Desktop()->children) {
        Window* w = wm.Find(h);
        if (!w || !w->host) continue;
        Surface* s = b->HostSurface(w->host);
        if (!s || !s->HasDirty()) continue;
        b->Present(w->host, s->TakeDirty());
    }
}

void PaintWindowNow(HWND hwnd, bool erase, bool update, bool children) { PaintNow(hwnd, erase, update, children); }

}  // namespace user

using namespace user;

BOOL RedrawWindow(HWND hwnd, const RECT* updateRect, HRGN updateRgn, UINT flags) {
    WindowManager& wm = Wm();
    if (!hwnd) hwnd = wm.DesktopHandle();
    Window* w = wm.Find(hwnd);
    if (!w) return FALSE;
    if (hwnd == wm.DesktopHandle()) {
        std::vector<HWND> top = w->children;
        for (HWND h : top) RedrawWindow(h, nullptr, nullptr, flags | RDW_ALLCHILDREN);
        return TRUE;
    }
    Region area;
    const Region* rgn = nullptr;
    if (updateRgn) {
        gdi::RegionObject* r = gdi::FindRegion(updateRgn);
        if (!r) return FALSE;
        area = r->Value();
        rgn = &area;
    } else if (updateRect) {
        area = Region(*updateRect);
        rgn = &area;
    }
    if (flags & (RDW_INVALIDATE | RDW_VALIDATE | RDW_INTERNALPAINT | RDW_NOERASE | RDW_NOINTERNALPAINT))
        ApplyTree(hwnd, rgn, flags);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        bool children = !(flags & RDW_NOCHILDREN);
        PaintNow(hwnd, true, (flags & RDW_UPDATENOW) != 0, children);
    }
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    if (!hwnd) return RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
    if (rgn && !gdi::FindRegion(rgn)) return FALSE;
    return RedrawWindow(hwnd, nullptr, rgn, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    if (!hwnd) return FALSE;
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND hwnd, HRGN rgn) {
    if (!hwnd || (rgn && !gdi::FindRegion(rgn))) return FALSE;
    return RedrawWindow(hwnd, nullptr, rgn, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL UpdateWindow(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    if (!w) return FALSE;
    PaintNow(hwnd, true, true, false);
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
    Window* w = Wm().Find(hwnd);
    if (!w) return FALSE;
    RECT box = w->update.Bounds();
    if (rect) *rect = box;
    if (erase && w->erasePending && !w->update.IsEmpty()) PaintNow(hwnd, true, false, false);
    return IsRectEmptyValue(box) ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
    Window* w = Wm().Find(hwnd);
    gdi::RegionObject* r = gdi::FindRegion(rgn);
    if (!w || !r) return 0;  // ERROR
    r->Value() = w->update;
    if (erase && w->erasePending && !w->update.IsEmpty()) PaintNow(hwnd, true, false, false);
    if (r->Value().IsEmpty()) return 1;  // NULLREGION
    return r->Value().IsRectangle() ? 2 : 3;
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w || !ps) return nullptr;
    *ps = PAINTSTRUCT{};
    if (w->ncPaintPending) {
        w->ncPaintPending = false;
        Send(hwnd, WM_NCPAINT, 1, 0);
        if (!(w = wm.Find(hwnd))) return nullptr;
    }
    Region area = w->update;
    area.IntersectWith(RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top});
    w->update.SetEmpty();
    w->internalPaint = false;
    bool erase = w->erasePending;
    w->erasePending = false;
    HDC dc = AcquireDC(hwnd, &area, DCX_CACHE, DcUse::Paint);
    if (!dc) return nullptr;
    ps->hdc = dc;
    ps->rcPaint = area.Bounds();
    ps->fErase = FALSE;
    if (erase) {
        ps->fErase = Send(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    }
    return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (!ps) return FALSE;
    ReleaseDC(hwnd, ps->hdc);
    return TRUE;
}

}  // namespace win32
