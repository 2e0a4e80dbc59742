// HRGN functions and the clip functions of device contexts.
#include <algorithm>
#include <cmath>

#include "platform/gdi/dc.h"

namespace win32 {

using namespace gdi;

namespace {

int TypeOf(const Region& r) {
    if (r.IsEmpty()) return NULLREGION;
    return r.IsRectangle() ? SIMPLEREGION : COMPLEXREGION;
}

HRGN NewRegion(Region r) { return static_cast<HRGN>(AddObject(std::make_unique<RegionObject>(std::move(r)))); }

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return NewRegion(Region(RECT{left, top, right, bottom}));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
    if (!rect) return nullptr;
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    if (!points || count < 3 || (fillMode != ALTERNATE && fillMode != WINDING)) return nullptr;
    // Scanline the polygon at pixel centres, as a fill would paint it.
    long long ymin = points[0].y, ymax = points[0].y;
    for (int i = 1; i < count; ++i) {
        ymin = std::min<long long>(ymin, points[i].y);
        ymax = std::max<long long>(ymax, points[i].y);
    }
    if (ymax - ymin > 1 << 20) return nullptr;
    std::vector<RECT> rects;
    std::vector<std::pair<double, int>> xs;
    for (long long y = ymin; y < ymax; ++y) {
        double sy = static_cast<double>(y) + 0.5;
        xs.clear();
        for (int i = 0; i < count; ++i) {
            POINT p = points[i], q = points[(i + 1) % count];
            if (p.y == q.y) continue;
            int dir = p.y < q.y ? 1 : -1;
            double y0 = std::min(p.y, q.y), y1 = std::max(p.y, q.y);
            if (sy < y0 || sy >= y1) continue;
            xs.emplace_back(p.x + (sy - p.y) * (q.x - p.x) / static_cast<double>(q.y - p.y), dir);
        }
        std::sort(xs.begin(), xs.end());
        int winding = 0;
        for (std::size_t i = 0; i < xs.size(); ++i) {
            bool inside = fillMode == WINDING ? (winding += xs[i].second) != 0 : (i % 2) == 0;
            if (!inside || i + 1 >= xs.size()) continue;
            LONG a = static_cast<LONG>(std::ceil(xs[i].first - 0.5));
            LONG b = static_cast<LONG>(std::ceil(xs[i + 1].first - 0.5));
            if (b > a) rects.push_back(RECT{a, static_cast<LONG>(y), b, static_cast<LONG>(y + 1)});
        }
    }
    return NewRegion(Region::FromRects(rects));
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
    RegionObject* r = FindRegion(region);
    if (!r) return FALSE;
    r->Value().SetRect(RECT{left, top, right, bottom});
    return TRUE;
}

int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode) {
    RegionObject* d = FindRegion(dst);
    RegionObject* a = FindRegion(src1);
    if (!d || !a) return ERROR;
    if (mode == RGN_COPY) {
        Region copy = a->Value();
        d->Value() = std::move(copy);
        return TypeOf(d->Value());
    }
    RegionObject* b = FindRegion(src2);
    if (!b) return ERROR;
    RegionOp op;
    switch (mode) {
    case RGN_AND: op = RegionOp::And; break;
    case RGN_OR: op = RegionOp::Or; break;
    case RGN_XOR: op = RegionOp::Xor; break;
    case RGN_DIFF: op = RegionOp::Diff; break;
    default: return ERROR;
    }
    Region result = a->Value().Combined(b->Value(), op);
    d->Value() = std::move(result);
    return TypeOf(d->Value());
}

BOOL EqualRgn(HRGN a, HRGN b) {
    RegionObject* x = FindRegion(a);
    RegionObject* y = FindRegion(b);
    if (!x || !y) return ERROR;
    return x->Value() == y->Value() ? TRUE : FALSE;
}

int OffsetRgn(HRGN region, int dx, int dy) {
    RegionObject* r = FindRegion(region);
    if (!r) return ERROR;
    r->Value().Offset(dx, dy);
    return TypeOf(r->Value());
}

int GetRgnBox(HRGN region, LPRECT rect) {
    RegionObject* r = FindRegion(region);
    if (!r || !rect) return ERROR;
    *rect = r->Value().Bounds();
    return TypeOf(r->Value());
}

BOOL PtInRegion(HRGN region, int x, int y) {
    RegionObject* r = FindRegion(region);
    return r && r->Value().Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN region, const RECT* rect) {
    RegionObject* r = FindRegion(region);
    if (!r || !rect) return FALSE;
    RECT n{std::min(rect->left, rect->right), std::min(rect->top, rect->bottom), std::max(rect->left, rect->right),
           std::max(rect->top, rect->bottom)};
    return r->Value().Intersects(n) ? TRUE : FALSE;
}

BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush) {
    DeviceContext* d = FindDC(dc);
    RegionObject* r = FindRegion(region);
    if (!d || !r || !FindBrush(brush)) return FALSE;
    return d->FillRegion(r->Value(), brush, PATCOPY);
}

BOOL PaintRgn(HDC dc, HRGN region) {
    DeviceContext* d = FindDC(dc);
    if (!d) return FALSE;
    return FillRgn(dc, region, d->State().brush);
}

BOOL InvertRgn(HDC dc, HRGN region) {
    DeviceContext* d = FindDC(dc);
    RegionObject* r = FindRegion(region);
    if (!d || !r) return FALSE;
    return d->FillRegion(r->Value(), nullptr, DSTINVERT);
}

BOOL FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height) {
    DeviceContext* d = FindDC(dc);
    RegionObject* r = FindRegion(region);
    if (!d || !r || !FindBrush(brush) || width <= 0 || height <= 0) return FALSE;
    // The frame is the region minus the region shrunk by the frame size
    // on every side.
    const Region& src = r->Value();
    Region inner = src;
    for (int k = 1; k <= width; ++k) {
        Region a = src, b = src;
        a.Offset(k, 0);
        b.Offset(-k, 0);
        inner.IntersectWith(a).IntersectWith(b);
    }
    for (int k = 1; k <= height; ++k) {
        Region a = src, b = src;
        a.Offset(0, k);
        b.Offset(0, -k);
        inner.IntersectWith(a).IntersectWith(b);
    }
    Region frame = src.Combined(inner, RegionOp::Diff);
    return d->FillRegion(frame, brush, PATCOPY);
}

int SelectClipRgn(HDC dc, HRGN region) { return ExtSelectClipRgn(dc, region, RGN_COPY); }

int ExtSelectClipRgn(HDC dc, HRGN region, int mode) {
    DeviceContext* d = FindDC(dc);
    if (!d) return ERROR;
    if (!region) return mode == RGN_COPY ? d->SelectClip(nullptr, RGN_COPY) : ERROR;
    RegionObject* r = FindRegion(region);
    if (!r) return ERROR;
    // The region is in device units; the DC keeps its own copy.
    return d->SelectClip(&r->Value(), mode);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    DeviceContext* d = FindDC(dc);
    if (!d) return ERROR;
    return d->IntersectClip(RECT{left, top, right, bottom});
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    DeviceContext* d = FindDC(dc);
    if (!d) return ERROR;
    return d->ExcludeClip(RECT{left, top, right, bottom});
}

int OffsetClipRgn(HDC dc, int dx, int dy) {
    DeviceContext* d = FindDC(dc);
    if (!d) return ERROR;
    return d->OffsetClip(dx, dy);
}

int GetClipBox(HDC dc, LPRECT rect) {
    DeviceContext* d = FindDC(dc);
    if (!d || !rect) return ERROR;
    return d->ClipBox(rect);
}

int GetClipRgn(HDC dc, HRGN region) {
    DeviceContext* d = FindDC(dc);
    RegionObject* r = FindRegion(region);
    if (!d || !r) return -1;
    if (!d->State().hasClip) return 0;
    r->Value() = d->State().clip;
    return 1;
}

BOOL PtVisible(HDC dc, int x, int y) {
    DeviceContext* d = FindDC(dc);
    if (!d) return -1;
    POINT p = d->ToDevice(POINT{x, y});
    return d->DrawableRegion().Contains(p.x, p.y) ? TRUE : FALSE;
}

BOOL RectVisible(HDC dc, const RECT* rect) {
    DeviceContext* d = FindDC(dc);
    if (!d || !rect) return FALSE;
    return d->DrawableRegion().Intersects(d->ToDeviceRect(*rect)) ? TRUE : FALSE;
}

}  // namespace win32
