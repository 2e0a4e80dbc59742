// GetDC/GetWindowDC/GetDCEx/ReleaseDC, visible regions, the desktop DC that
// draws over everything on the screen, LockWindowUpdate and scrolling.
#include "platform/user/device_contexts.h"

#include <algorithm>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/surface_dc.h"

namespace win32 {
namespace user {
namespace {

struct CachedDC {
    HDC dc = nullptr;
    HWND hwnd = nullptr;
    bool inUse = false;
    bool desktop = false;
};

std::vector<CachedDC>& Cache() {
    static std::vector<CachedDC> cache;
    return cache;
}

// Drawing with no surface behind it (no backend) goes here and is lost.
Surface& NowhereSurface() {
    static Surface nowhere(1, 1);
    return nowhere;
}

CachedDC* TakeEntry() {
    for (CachedDC& e : Cache()) {
        if (!e.inUse) return &e;
    }
    HDC dc = gdi::CreateSurfaceDC();
    if (!dc) return nullptr;
    Cache().push_back(CachedDC{dc});
    return &Cache().back();
}

// Subtracts from `vis` (surface coordinates) the visible siblings above `w`.
void ClipSiblingsAbove(const Window* w, Region& vis, POINT topOrigin) {
    WindowManager& wm = Wm();
    Window* parent = wm.Find(w->parent);
    if (!parent) return;
    for (HWND h : parent->children) {
        if (h == w->hwnd) break;
        Window* s = wm.Find(h);
        if (!s || !(s->style & WS_VISIBLE) || (s->exStyle & WS_EX_TRANSPARENT)) continue;
        RECT r = ScreenWindowRect(s);
        vis.Subtract(RECT{r.left - topOrigin.x, r.top - topOrigin.y, r.right - topOrigin.x, r.bottom - topOrigin.y});
    }
}

bool LockedOut(HWND hwnd, DWORD flags) {
    WindowManager& wm = Wm();
    if (!wm.lockedWindow || (flags & DCX_LOCKWINDOWUPDATE)) return false;
    return wm.lockedWindow == wm.DesktopHandle() || wm.lockedWindow == hwnd || IsDescendant(wm.lockedWindow, hwnd);
}

}  // namespace

Region VisibleRegion(const Window* w, bool client, bool clipChildren, bool clipSiblings) {
    WindowManager& wm = Wm();
    if (!w || !IsReallyVisible(w)) return Region();
    Window* top = wm.Find(TopLevelOf(w->hwnd));
    if (!top) return Region();
    POINT o = WindowOrigin(top);
    auto local = [&](RECT r) { return RECT{r.left - o.x, r.top - o.y, r.right - o.x, r.bottom - o.y}; };
    Region vis(local(client ? ScreenClientRect(w) : ScreenWindowRect(w)));
    if (clipSiblings && !IsTopLevel(w)) ClipSiblingsAbove(w, vis, o);
    for (Window* a = wm.Find(w->parent); a && !IsTopLevel(w) && a->hwnd != wm.DesktopHandle();
         a = wm.Find(a->parent)) {
        vis.IntersectWith(local(ScreenClientRect(a)));
        if (IsTopLevel(a)) break;
        if (a->style & WS_CLIPSIBLINGS) ClipSiblingsAbove(a, vis, o);
    }
    if (clipChildren) {
        // Children show only inside this window's client area, so they never
        // take away its frame or scroll bars.
        RECT inside = local(ScreenClientRect(w));
        for (HWND h : w->children) {
            Window* c = wm.Find(h);
            if (!c || !(c->style & WS_VISIBLE)) continue;
            RECT r = local(ScreenWindowRect(c));
            RECT shown{std::max(r.left, inside.left), std::max(r.top, inside.top), std::min(r.right, inside.right),
                       std::min(r.bottom, inside.bottom)};
            if (shown.left < shown.right && shown.top < shown.bottom) vis.Subtract(shown);
        }
    }
    return vis;
}

HDC AcquireDC(HWND hwnd, const Region* clientClip, DWORD flags, DcUse) {
    WindowManager& wm = Wm();
    backend::Backend* b = wm.Backend();
    if (!hwnd) hwnd = wm.DesktopHandle();
    Window* w = wm.Find(hwnd);
    if (!w) return nullptr;
    CachedDC* entry = TakeEntry();
    if (!entry) return nullptr;
    if (!(flags & DCX_NORESETATTRS)) gdi::ResetSurfaceDC(entry->dc);
    entry->inUse = true;
    entry->hwnd = hwnd;
    entry->desktop = hwnd == wm.DesktopHandle();
    if (entry->desktop) {
        SIZE s = wm.ScreenSize();
        RECT screen{0, 0, s.cx, s.cy};
        Surface* surface = b ? b->LockScreen(screen) : nullptr;
        gdi::BindSurfaceDC(entry->dc, surface ? surface : &NowhereSurface(), POINT{0, 0}, Region(screen));
        return entry->dc;
    }
    bool window = (flags & DCX_WINDOW) != 0;
    bool clipChildren = (flags & DCX_CLIPCHILDREN) || (w->style & WS_CLIPCHILDREN);
    bool clipSiblings = (flags & DCX_CLIPSIBLINGS) || (w->style & WS_CLIPSIBLINGS);
    Window* top = wm.Find(TopLevelOf(hwnd));
    Surface* surface = (b && top && top->host) ? b->HostSurface(top->host) : nullptr;
    POINT topOrigin = top ? WindowOrigin(top) : POINT{0, 0};
    POINT at = window ? WindowOrigin(w) : ClientOrigin(w);
    POINT origin{at.x - topOrigin.x, at.y - topOrigin.y};
    Region vis = LockedOut(hwnd, flags) ? Region() : VisibleRegion(w, !window, clipChildren, clipSiblings);
    if (clientClip) {
        Region c = *clientClip;
        POINT co = ClientOrigin(w);
        c.Offset(co.x - topOrigin.x, co.y - topOrigin.y);
        vis.IntersectWith(c);
    }
    if (flags & DCX_INTERSECTUPDATE) {
        Region u = w->update;
        POINT co = ClientOrigin(w);
        u.Offset(co.x - topOrigin.x, co.y - topOrigin.y);
        vis.IntersectWith(u);
    }
    gdi::BindSurfaceDC(entry->dc, surface ? surface : &NowhereSurface(), origin, vis);
    return entry->dc;
}

void ReleaseWindowDCs(HWND hwnd) {
    for (CachedDC& e : Cache()) {
        if (e.inUse && e.hwnd == hwnd) {
            e.inUse = false;
            e.hwnd = nullptr;
            gdi::BindSurfaceDC(e.dc, &NowhereSurface(), POINT{0, 0}, Region());
        }
    }
}

void ResetDCs() {
    for (CachedDC& e : Cache()) gdi::DeleteSurfaceDC(e.dc);
    Cache().clear();
}

}  // namespace user

using namespace user;

HDC GetDC(HWND hwnd) { return AcquireDC(hwnd, nullptr, DCX_CACHE, DcUse::Cache); }

HDC GetWindowDC(HWND hwnd) { return AcquireDC(hwnd, nullptr, DCX_CACHE | DCX_WINDOW, DcUse::Cache); }

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd ? hwnd : wm.DesktopHandle());
    if (!w) return nullptr;
    Region clientClip;
    const Region* clipPtr = nullptr;
    if (clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        gdi::RegionObject* r = gdi::FindRegion(clip);
        // The region is in screen coordinates, as WM_NCPAINT hands it over.
        if (r && hwnd && hwnd != wm.DesktopHandle()) {
            POINT co = ClientOrigin(w);
            clientClip = r->Value();
            clientClip.Offset(-co.x, -co.y);
            if (flags & DCX_EXCLUDERGN) {
                Region all(RECT{-32768, -32768, 32767, 32767});
                all.Subtract(clientClip);
                clientClip = all;
            }
            clipPtr = &clientClip;
        }
    }
    return AcquireDC(hwnd, clipPtr, flags, DcUse::Cache);
}

int ReleaseDC(HWND, HDC dc) {
    WindowManager& wm = Wm();
    for (CachedDC& e : Cache()) {
        if (e.dc != dc || !e.inUse) continue;
        if (e.desktop) {
            Surface* s = gdi::SurfaceOfDC(dc);
            RECT changed = s && s != &NowhereSurface() ? s->TakeDirty() : RECT{0, 0, 0, 0};
            if (backend::Backend* b = wm.Backend()) b->UnlockScreen(changed);
        }
        e.inUse = false;
        e.hwnd = nullptr;
        gdi::BindSurfaceDC(dc, &NowhereSurface(), POINT{0, 0}, Region());
        return 1;
    }
    return 0;
}

HWND WindowFromDC(HDC dc) {
    for (const CachedDC& e : Cache()) {
        if (e.dc == dc && e.inUse) return e.hwnd;
    }
    return nullptr;
}

BOOL LockWindowUpdate(HWND hwnd) {
    WindowManager& wm = Wm();
    if (hwnd) {
        if (!wm.Find(hwnd) || wm.lockedWindow) return FALSE;
        wm.lockedWindow = hwnd;
        return TRUE;
    }
    HWND was = wm.lockedWindow;
    wm.lockedWindow = nullptr;
    // What could not be painted while locked is painted now.
    if (was && wm.Find(was)) RedrawWindow(was == wm.DesktopHandle() ? nullptr : was, nullptr, nullptr,
                                          RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, LPRECT updateRect,
                   UINT flags) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w) return 0;
    RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    RECT area = scroll ? IntersectRectValue(*scroll, client) : client;
    if (clip) area = IntersectRectValue(area, *clip);
    // Pixels that stay visible move; what the move uncovers is invalid.
    Region exposed(area);
    backend::Backend* b = wm.Backend();
    Window* top = wm.Find(TopLevelOf(hwnd));
    Surface* surface = (b && top && top->host) ? b->HostSurface(top->host) : nullptr;
    Region vis = VisibleRegion(w, true, true, true);
    POINT co = ClientOrigin(w);
    POINT to = top ? WindowOrigin(top) : POINT{0, 0};
    int ox = co.x - to.x, oy = co.y - to.y;
    RECT areaSurface{area.left + ox, area.top + oy, area.right + ox, area.bottom + oy};
    Region areaVis = vis;
    areaVis.IntersectWith(areaSurface);
    bool simple = areaVis.IsRectangle() && areaVis.Rects().front() == areaSurface;
    if (surface && simple && !IsRectEmptyValue(area)) {
        RECT src = IntersectRectValue(areaSurface, RECT{areaSurface.left - dx, areaSurface.top - dy,
                                                        areaSurface.right - dx, areaSurface.bottom - dy});
        int wdt = src.right - src.left, hgt = src.bottom - src.top;
        if (wdt > 0 && hgt > 0) {
            std::vector<Pixel> copy(static_cast<std::size_t>(wdt) * static_cast<std::size_t>(hgt));
            for (int y = 0; y < hgt; ++y)
                for (int x = 0; x < wdt; ++x)
                    copy[static_cast<std::size_t>(y) * wdt + x] = surface->At(src.left + x, src.top + y);
            for (int y = 0; y < hgt; ++y)
                for (int x = 0; x < wdt; ++x)
                    surface->Set(src.left + dx + x, src.top + dy + y, copy[static_cast<std::size_t>(y) * wdt + x]);
            RECT moved{src.left + dx, src.top + dy, src.right + dx, src.bottom + dy};
            surface->MarkDirty(moved);
            exposed.Subtract(RECT{moved.left - ox, moved.top - oy, moved.right - ox, moved.bottom - oy});
        }
    }
    // Pending update area moves with the pixels.
    Region pending = w->update;
    pending.IntersectWith(area);
    w->update.Subtract(area);
    pending.Offset(dx, dy);
    pending.IntersectWith(area);
    w->update.UnionWith(pending);
    if (flags & SW_SCROLLCHILDREN) {
        std::vector<HWND> children = w->children;
        for (HWND h : children) {
            Window* c = wm.Find(h);
            if (!c) continue;
            RECT r = c->window;
            SetWindowPos(h, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (gdi::RegionObject* r = gdi::FindRegion(update)) r->Value() = exposed;
    if (updateRect) *updateRect = exposed.Bounds();
    if (flags & SW_INVALIDATE) {
        InvalidateWindowArea(hwnd, &exposed, RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0) | RDW_ALLCHILDREN);
    }
    return exposed.IsEmpty() ? 1 : (exposed.IsRectangle() ? 2 : 3);
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip) {
    UINT flags = SW_INVALIDATE | SW_ERASE;
    if (!scroll) flags |= SW_SCROLLCHILDREN;
    return ScrollWindowEx(hwnd, dx, dy, scroll, clip, nullptr, nullptr, flags) ? TRUE : FALSE;
}

}  // namespace win32
