// Bitmaps on a printer page: the source pixels (as many as the visible part
// of the destination needs, at the source's own resolution) become an image
// of raster effects that cairo scales into place. Pixels the operation
// leaves alone are holes, so a masked picture drawn in two steps shows
// only its shape.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/gdi/gdi_object.h"
#include "platform/print/printer_dc.h"

namespace win32::print {
namespace {

// One axis of a blit: the source pixels [s0, s1) cover the destination
// from d0 to d1, back to front when mirrored.
struct Axis {
    int s0 = 0;
    int s1 = 0;
    double d0 = 0;
    double d1 = 0;
    bool mirror = false;

    double Scale() const { return (d1 - d0) / (s1 - s0); }
    // Where source coordinate s lands.
    double Dest(double s) const { return mirror ? d1 - (s - s0) * Scale() : d0 + (s - s0) * Scale(); }
    // The source range whose pixels reach [lo, hi) of the destination.
    void Visible(double lo, double hi, int& from, int& to) const {
        const double k = Scale();
        double a = mirror ? s0 + (d1 - hi) / k : s0 + (lo - d0) / k;
        double b = mirror ? s0 + (d1 - lo) / k : s0 + (hi - d0) / k;
        from = std::max(s0, static_cast<int>(std::floor(a)) - 1);
        to = std::min(s1, static_cast<int>(std::ceil(b)) + 1);
    }
};

// A negative extent runs back from the origin pixel, which it includes.
void Span(LONG a, LONG b, int& lo, int& hi) {
    if (a <= b) {
        lo = a;
        hi = b;
    } else {
        lo = b + 1;
        hi = a + 1;
    }
}

Axis MakeAxis(LONG srcA, LONG srcB, LONG dstA, LONG dstB) {
    Axis axis;
    Span(srcA, srcB, axis.s0, axis.s1);
    int d0, d1;
    Span(dstA, dstB, d0, d1);
    axis.d0 = d0;
    axis.d1 = d1;
    axis.mirror = (srcB < srcA) != (dstB < dstA);
    return axis;
}

// Source pixels as the destination sees them: a monochrome source takes the
// destination's text colour for 0 and its background colour for 1.
class SourcePixels {
public:
    SourcePixels(gdi::DeviceContext* src, const gdi::DcState& dst)
        : surface_(src ? src->PixelSurface() : nullptr), origin_(src ? src->SurfaceOrigin() : POINT{0, 0}),
          mono_(src && src->IsMonochrome()),
          text_(PixelFromColor(dst.textColor)), background_(PixelFromColor(dst.bkColor)) {}
    // False where the source has no pixel.
    bool Read(int x, int y, Pixel& out) const {
        x += origin_.x;
        y += origin_.y;
        if (!surface_ || !surface_->Contains(x, y)) return false;
        Pixel p = surface_->At(x, y) & 0x00FFFFFF;
        if (mono_) p = p ? background_ : text_;
        out = p;
        return true;
    }
    bool Mono() const { return mono_; }
    Pixel Raw(int x, int y) const { return surface_->At(x + origin_.x, y + origin_.y) & 0x00FFFFFF; }
    bool Has(int x, int y) const { return surface_ && surface_->Contains(x + origin_.x, y + origin_.y); }

private:
    const Surface* surface_;
    POINT origin_;
    bool mono_;
    Pixel text_;
    Pixel background_;
};

constexpr int kMaxImageSide = 1 << 15;
// Device pixels per picture pixel beyond which pixels are drawn one by one.
constexpr double kHugePixel = 4096;

}  // namespace

void PrinterDC::DrawImage(cairo_t* cr, const EffectImage& image, int width, int height, double originX,
                          double originY, double sx, double sy) {
    const RECT visible = DrawableRegion().Bounds();
    if (std::fabs(sx) > kHugePixel || std::fabs(sy) > kHugePixel) {
        // Pixels larger than the page: only a few of them can show, each
        // drawn as a rectangle of its own, so no scale reaches cairo that
        // its numbers cannot hold. The pixels that reach the visible part,
        // along one axis:
        const auto range = [](double origin, double scale, int count, LONG lo, LONG hi, int& from, int& to) {
            double a = (lo - origin) / scale, b = (hi - origin) / scale;
            if (a > b) std::swap(a, b);
            from = static_cast<int>(std::clamp(std::floor(a) - 1, 0.0, static_cast<double>(count)));
            to = static_cast<int>(std::clamp(std::ceil(b) + 1, 0.0, static_cast<double>(count)));
        };
        int fromX, toX, fromY, toY;
        range(originX, sx, width, visible.left, visible.right, fromX, toX);
        range(originY, sy, height, visible.top, visible.bottom, fromY, toY);
        for (int y = fromY; y < toY; ++y) {
            for (int x = fromX; x < toX; ++x) {
                const double ax = originX + x * sx, bx = originX + (x + 1) * sx;
                const double ay = originY + y * sy, by = originY + (y + 1) * sy;
                const double l = std::max(std::min(ax, bx), static_cast<double>(visible.left));
                const double r = std::min(std::max(ax, bx), static_cast<double>(visible.right));
                const double t = std::max(std::min(ay, by), static_cast<double>(visible.top));
                const double b = std::min(std::max(ay, by), static_cast<double>(visible.bottom));
                if (r <= l || b <= t) continue;
                cairo_rectangle(cr, l, t, r - l, b - t);
                EffectPaint(image.At(x, y)).Fill(cr);
                cairo_new_path(cr);
            }
        }
        return;
    }
    // Pictures keep their pixels as on the screen; a halftoning stretch
    // asks for a smooth picture.
    const cairo_filter_t filter = State().stretchMode == HALFTONE ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST;
    cairo_matrix_t toDevice;
    cairo_matrix_init_translate(&toDevice, originX, originY);
    cairo_matrix_scale(&toDevice, sx, sy);
    cairo_matrix_t toImage = toDevice;
    if (cairo_matrix_invert(&toImage) != CAIRO_STATUS_SUCCESS) return;
    Paint paint = image.MakePaint(toImage, filter, CAIRO_EXTEND_PAD);
    if (paint.None()) return;
    // The picture's place on the page, kept to what can be seen of it.
    double x0 = 0, y0 = 0, x1 = width, y1 = height;
    cairo_matrix_transform_point(&toDevice, &x0, &y0);
    cairo_matrix_transform_point(&toDevice, &x1, &y1);
    const double left = std::max(std::min(x0, x1), static_cast<double>(visible.left));
    const double right = std::min(std::max(x0, x1), static_cast<double>(visible.right));
    const double top = std::max(std::min(y0, y1), static_cast<double>(visible.top));
    const double bottom = std::min(std::max(y0, y1), static_cast<double>(visible.bottom));
    if (right <= left || bottom <= top) return;
    cairo_rectangle(cr, left, top, right - left, bottom - top);
    paint.Fill(cr);
    cairo_new_path(cr);
}

BOOL PrinterDC::StretchBlt(const gdi::BltRect& dstR, DeviceContext* src, const gdi::BltRect& srcR, DWORD rop) {
    const std::uint8_t op = gdi::RopIndex(rop);
    if (!gdi::RopUsesSource(op)) {
        return PatBlt(RECT{dstR.x, dstR.y, dstR.x + dstR.width, dstR.y + dstR.height}, State().brush, rop);
    }
    if (!src || !src->PixelSurface()) return FALSE;
    cairo_t* cr = Page();
    if (!cr) return page_ ? TRUE : FALSE;
    const POINT da = ToDevice(POINT{dstR.x, dstR.y});
    const POINT db = ToDevice(POINT{dstR.x + dstR.width, dstR.y + dstR.height});
    const POINT sa = src->ToDevice(POINT{srcR.x, srcR.y});
    const POINT sb = src->ToDevice(POINT{srcR.x + srcR.width, srcR.y + srcR.height});
    if (da.x == db.x || da.y == db.y || sa.x == sb.x || sa.y == sb.y) return TRUE;
    const Axis ax = MakeAxis(sa.x, sb.x, da.x, db.x);
    const Axis ay = MakeAxis(sa.y, sb.y, da.y, db.y);

    // Only the source pixels that can show: inside the source's bitmap and
    // reaching the drawable part of the page.
    const RECT visible = DrawableRegion().Bounds();
    int x0, x1, y0, y1;
    ax.Visible(visible.left, visible.right, x0, x1);
    ay.Visible(visible.top, visible.bottom, y0, y1);
    const SourcePixels pixels(src, State());
    const Surface* surface = src->PixelSurface();
    const POINT so = src->SurfaceOrigin();
    x0 = std::max(x0, -so.x);
    y0 = std::max(y0, -so.y);
    x1 = std::min(x1, surface->Width() - so.x);
    y1 = std::min(y1, surface->Height() - so.y);
    if (x1 <= x0 || y1 <= y0) return TRUE;
    if (x1 - x0 > kMaxImageSide || y1 - y0 > kMaxImageSide) return FALSE;

    const BrushTile brush = gdi::RopUsesPattern(op) ? TileOfBrush(*this, State().brush) : BrushTile{};
    const double scale = ScreenScale();
    EffectImage image(x1 - x0, y1 - y0);
    for (int y = y0; y < y1; ++y) {
        const double dy = ay.Dest(y + 0.5);
        for (int x = x0; x < x1; ++x) {
            Pixel s = 0;
            pixels.Read(x, y, s);
            bool clear = false;
            Pixel p = 0;
            if (!brush.None()) {
                const double dx = ax.Dest(x + 0.5);
                p = brush.At(static_cast<int>(std::floor((dx - brush.origin.x) / scale)),
                             static_cast<int>(std::floor((dy - brush.origin.y) / scale)), clear);
            }
            if (!clear) image.Set(x - x0, y - y0, EffectOf(op, p, s));
        }
    }
    const double kx = ax.mirror ? -ax.Scale() : ax.Scale();
    const double ky = ay.mirror ? -ay.Scale() : ay.Scale();
    DrawImage(cr, image, x1 - x0, y1 - y0, ax.Dest(x0), ay.Dest(y0), kx, ky);
    return TRUE;
}

BOOL PrinterDC::MaskBlt(const gdi::BltRect& dstR, DeviceContext* src, POINT srcOrg, gdi::BitmapObject* mask,
                        POINT maskOrg, DWORD rop4) {
    const DWORD fore = rop4 & 0x00FFFFFF;
    const DWORD back = ((rop4 >> 8) & 0x00FF0000) | (rop4 & 0xFFFF);
    if (!mask) return StretchBlt(dstR, src, gdi::BltRect{srcOrg.x, srcOrg.y, dstR.width, dstR.height}, fore);
    if (!mask->IsMonochrome()) return FALSE;
    const std::uint8_t opFore = gdi::RopIndex(fore), opBack = gdi::RopIndex(back);
    const bool usesSource = gdi::RopUsesSource(opFore) || gdi::RopUsesSource(opBack);
    if (usesSource && (!src || !src->PixelSurface())) return FALSE;
    cairo_t* cr = Page();
    if (!cr) return page_ ? TRUE : FALSE;
    const int w = std::abs(dstR.width), h = std::abs(dstR.height);
    if (w == 0 || h == 0) return TRUE;
    if (w > kMaxImageSide || h > kMaxImageSide) return FALSE;
    const RECT d = ToDeviceRect(RECT{dstR.x, dstR.y, dstR.x + dstR.width, dstR.y + dstR.height});
    if (IsRectEmptyValue(d)) return TRUE;
    const POINT sOrg = usesSource ? src->ToDevice(srcOrg) : POINT{0, 0};
    const bool usesPattern = gdi::RopUsesPattern(opFore) || gdi::RopUsesPattern(opBack);
    const BrushTile brush = usesPattern ? TileOfBrush(*this, State().brush) : BrushTile{};
    const double kx = static_cast<double>(d.right - d.left) / w, ky = static_cast<double>(d.bottom - d.top) / h;
    const double scale = ScreenScale();
    const Surface& m = mask->Pixels();
    const SourcePixels pixels(usesSource ? src : nullptr, State());
    EffectImage image(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int mx = maskOrg.x + x, my = maskOrg.y + y;
            const bool foreground = m.Contains(mx, my) && (m.At(mx, my) & 0x00FFFFFF);
            const std::uint8_t op = foreground ? opFore : opBack;
            Pixel s = 0;
            if (usesSource && !pixels.Read(sOrg.x + x, sOrg.y + y, s)) continue;
            bool clear = false;
            Pixel p = 0;
            if (!brush.None()) {
                p = brush.At(static_cast<int>(std::floor((d.left + (x + 0.5) * kx - brush.origin.x) / scale)),
                             static_cast<int>(std::floor((d.top + (y + 0.5) * ky - brush.origin.y) / scale)), clear);
            }
            if (!clear) image.Set(x, y, EffectOf(op, p, s));
        }
    }
    DrawImage(cr, image, w, h, d.left, d.top, kx, ky);
    return TRUE;
}

BOOL PrinterDC::TransparentBlt(const gdi::BltRect& dstR, DeviceContext* src, const gdi::BltRect& srcR, COLORREF key) {
    if (!src || !src->PixelSurface()) return FALSE;
    if (dstR.width <= 0 || dstR.height <= 0 || srcR.width <= 0 || srcR.height <= 0) return FALSE;
    cairo_t* cr = Page();
    if (!cr) return page_ ? TRUE : FALSE;
    const RECT d = ToDeviceRect(RECT{dstR.x, dstR.y, dstR.x + dstR.width, dstR.y + dstR.height});
    const RECT s = src->ToDeviceRect(RECT{srcR.x, srcR.y, srcR.x + srcR.width, srcR.y + srcR.height});
    const int sw = s.right - s.left, sh = s.bottom - s.top;
    if (IsRectEmptyValue(d) || sw <= 0 || sh <= 0) return TRUE;
    if (sw > kMaxImageSide || sh > kMaxImageSide) return FALSE;
    const SourcePixels pixels(src, State());
    Pixel keyPx = PixelFromColor(key & 0x00FFFFFF);
    if (pixels.Mono()) keyPx = keyPx ? 0x00FFFFFF : 0;
    EffectImage image(sw, sh);
    for (int y = 0; y < sh; ++y) {
        for (int x = 0; x < sw; ++x) {
            if (!pixels.Has(s.left + x, s.top + y) || pixels.Raw(s.left + x, s.top + y) == keyPx) continue;
            Pixel p = 0;
            pixels.Read(s.left + x, s.top + y, p);
            image.Set(x, y, RopEffect{0, p});
        }
    }
    DrawImage(cr, image, sw, sh, d.left, d.top, static_cast<double>(d.right - d.left) / sw,
              static_cast<double>(d.bottom - d.top) / sh);
    return TRUE;
}

}  // namespace win32::print
