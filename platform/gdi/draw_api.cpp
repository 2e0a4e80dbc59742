// The C drawing functions: look the DC up, check the arguments the Win32
// way, and hand over to the device.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "platform/gdi/dc.h"

namespace win32 {

using namespace gdi;

namespace {

// FillRect and friends also take a system colour index + 1 in place of a
// brush, as Win32 allows.
HBRUSH ResolveBrushArgument(HBRUSH brush) {
    auto v = reinterpret_cast<UINT_PTR>(brush);
    if (v >= 1 && v <= 31) return GetSysColorBrush(static_cast<int>(v - 1));
    return brush;
}

}  // namespace

BOOL LineTo(HDC dc, int x, int y) {
    DeviceContext* d = FindDC(dc);
    if (!d) return FALSE;
    POINT pts[2] = {d->State().currentPos, POINT{x, y}};
    BOOL ok = d->Polyline(pts, 2);
    d->MoveTo(POINT{x, y});
    return ok;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
    DeviceContext* d = FindDC(dc);
    if (!d || !points || count < 2) return FALSE;
    return d->Polyline(points, count);
}

BOOL PolylineTo(HDC dc, const POINT* points, DWORD count) {
    DeviceContext* d = FindDC(dc);
    if (!d || !points || count == 0 || count > 0x1000000) return FALSE;
    std::vector<POINT> all;
    all.reserve(count + 1);
    all.push_back(d->State().currentPos);
    all.insert(all.end(), points, points + count);
    BOOL ok = d->Polyline(all.data(), static_cast<int>(all.size()));
    d->MoveTo(points[count - 1]);
    return ok;
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
    DeviceContext* d = FindDC(dc);
    if (!d || !points || count < 2) return FALSE;
    INT counts[1] = {count};
    return d->PolyPolygon(points, counts, 1);
}

BOOL PolyPolygon(HDC dc, const POINT* points, const INT* counts, int polygons) {
    DeviceContext* d = FindDC(dc);
    if (!d || !points || !counts || polygons <= 0) return FALSE;
    return d->PolyPolygon(points, counts, polygons);
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    DeviceContext* d = FindDC(dc);
    if (!d) return FALSE;
    RECT r{left < right ? left : right, top < bottom ? top : bottom, left < right ? right : left,
           top < bottom ? bottom : top};
    return d->Rectangle(r);
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
    DeviceContext* d = FindDC(dc);
    if (!d) return FALSE;
    RECT r{left < right ? left : right, top < bottom ? top : bottom, left < right ? right : left,
           top < bottom ? bottom : top};
    return d->Ellipse(r);
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height) {
    DeviceContext* d = FindDC(dc);
    if (!d) return FALSE;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    int rx = std::min(std::abs(width), right - left) / 2, ry = std::min(std::abs(height), bottom - top) / 2;
    if (rx < 1 || ry < 1) return d->Rectangle(RECT{left, top, right, bottom});
    // The outline as a polygon: four quarter ellipses joined by the sides,
    // inside the box whose right and bottom edges are exclusive.
    std::vector<POINT> pts;
    const int steps = std::max(4, std::max(rx, ry));
    struct Corner {
        double cx, cy;
        double from;
    } corners[4] = {{static_cast<double>(right - 1 - rx), static_cast<double>(top + ry), -std::numbers::pi / 2},
                    {static_cast<double>(right - 1 - rx), static_cast<double>(bottom - 1 - ry), 0},
                    {static_cast<double>(left + rx), static_cast<double>(bottom - 1 - ry), std::numbers::pi / 2},
                    {static_cast<double>(left + rx), static_cast<double>(top + ry), std::numbers::pi}};
    for (const Corner& c : corners) {
        for (int i = 0; i <= steps; ++i) {
            double a = c.from + (std::numbers::pi / 2) * i / steps;
            pts.push_back(POINT{static_cast<LONG>(std::lround(c.cx + rx * std::cos(a))),
                                static_cast<LONG>(std::lround(c.cy + ry * std::sin(a)))});
        }
    }
    INT count = static_cast<INT>(pts.size());
    return d->PolyPolygon(pts.data(), &count, 1);
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    DeviceContext* d = FindDC(dc);
    if (!d) return CLR_INVALID;
    return d->SetPixel(POINT{x, y}, color);
}

BOOL SetPixelV(HDC dc, int x, int y, COLORREF color) { return SetPixel(dc, x, y, color) != CLR_INVALID; }

COLORREF GetPixel(HDC dc, int x, int y) {
    DeviceContext* d = FindDC(dc);
    if (!d) return CLR_INVALID;
    return d->GetPixel(POINT{x, y});
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    DeviceContext* d = FindDC(dc);
    if (!d) return FALSE;
    RECT r{x, y, x + width, y + height};
    return d->PatBlt(r, d->State().brush, rop);
}

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop) {
    DeviceContext* d = FindDC(dst);
    if (!d) return FALSE;
    DeviceContext* s = src ? FindDC(src) : nullptr;
    if (src && !s) return FALSE;
    // A negative extent describes the same rectangle from its other side.
    if (width < 0) {
        x += width;
        xSrc += width;
        width = -width;
    }
    if (height < 0) {
        y += height;
        ySrc += height;
        height = -height;
    }
    return d->StretchBlt(BltRect{x, y, width, height}, s, BltRect{xSrc, ySrc, width, height}, rop);
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth,
                int srcHeight, DWORD rop) {
    DeviceContext* d = FindDC(dst);
    if (!d) return FALSE;
    DeviceContext* s = src ? FindDC(src) : nullptr;
    if (src && !s) return FALSE;
    return d->StretchBlt(BltRect{x, y, width, height}, s, BltRect{xSrc, ySrc, srcWidth, srcHeight}, rop);
}

BOOL TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, UINT transparent) {
    DeviceContext* d = FindDC(dst);
    DeviceContext* s = FindDC(src);
    if (!d || !s) return FALSE;
    return d->TransparentBlt(BltRect{x, y, width, height}, s, BltRect{xSrc, ySrc, srcWidth, srcHeight},
                             transparent);
}

BOOL MaskBlt(HDC dst, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, HBITMAP mask, int xMask,
             int yMask, DWORD rop) {
    DeviceContext* d = FindDC(dst);
    if (!d) return FALSE;
    DeviceContext* s = src ? FindDC(src) : nullptr;
    if (src && !s) return FALSE;
    BitmapObject* m = nullptr;
    if (mask) {
        m = FindBitmap(mask);
        if (!m) return FALSE;
    }
    return d->MaskBlt(BltRect{x, y, width, height}, s, POINT{xSrc, ySrc}, m, POINT{xMask, yMask}, rop);
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    DeviceContext* d = FindDC(dc);
    if (!d || !rect) return 0;
    brush = ResolveBrushArgument(brush);
    if (!FindBrush(brush)) return 0;
    return d->PatBlt(*rect, brush, PATCOPY);
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    DeviceContext* d = FindDC(dc);
    if (!d || !rect) return 0;
    brush = ResolveBrushArgument(brush);
    if (!FindBrush(brush)) return 0;
    const RECT& r = *rect;
    if (r.right <= r.left || r.bottom <= r.top) return TRUE;
    d->PatBlt(RECT{r.left, r.top, r.right, r.top + 1}, brush, PATCOPY);
    d->PatBlt(RECT{r.left, r.bottom - 1, r.right, r.bottom}, brush, PATCOPY);
    d->PatBlt(RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, brush, PATCOPY);
    d->PatBlt(RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, brush, PATCOPY);
    return TRUE;
}

BOOL InvertRect(HDC dc, const RECT* rect) {
    DeviceContext* d = FindDC(dc);
    if (!d || !rect) return FALSE;
    return d->PatBlt(*rect, nullptr, DSTINVERT);
}

}  // namespace win32
