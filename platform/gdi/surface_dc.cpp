#include "platform/gdi/surface_dc.h"

#include <algorithm>

#include "platform/gdi/raster_ops.h"
#include "platform/gdi/surface_device.h"

namespace win32::gdi {

namespace {

SIZE& ScreenSize() {
    static SIZE size{1024, 768};
    return size;
}

// The hatch patterns, one byte per row, bit 7 leftmost; a set bit is the
// hatch colour.
const std::uint8_t kHatch[6][8] = {
    {0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00},  // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
};

int Mod(int a, int m) {
    int r = a % m;
    return r < 0 ? r + m : r;
}

}  // namespace

void SetScreenSize(int width, int height) { ScreenSize() = SIZE{width, height}; }

SurfaceDC::SurfaceDC(Kind kind) : kind_(kind) {}

SurfaceDC* FindSurfaceDC(HDC dc) { return dynamic_cast<SurfaceDC*>(FindDC(dc)); }

int SurfaceDC::DeviceCaps(int index) const {
    switch (index) {
    case HORZRES: return ScreenSize().cx;
    case VERTRES: return ScreenSize().cy;
    case HORZSIZE: return ScreenSize().cx * 254 / 960;
    case VERTSIZE: return ScreenSize().cy * 254 / 960;
    // A memory DC describes the display it is compatible with, whatever
    // bitmap it holds.
    case BITSPIXEL: return 32;
    default: return DeviceContext::DeviceCaps(index);
    }
}

void SurfaceDC::Bind(Surface* surface, POINT origin, const Region& visible) {
    surface_ = surface;
    origin_ = origin;
    visible_ = visible;
    mono_ = false;
    clipValid_ = false;
}

void SurfaceDC::Reset() {
    ResetState();
    if (kind_ == Kind::Memory) Select(StockBitmap());
    clipValid_ = false;
}

void SurfaceDC::BitmapSelected(BitmapObject* bitmap) {
    surface_ = &bitmap->Pixels();
    origin_ = POINT{0, 0};
    visible_ = Region(RECT{0, 0, surface_->Width(), surface_->Height()});
    mono_ = bitmap->IsMonochrome();
    clipValid_ = false;
}

void SurfaceDC::StateChanged(DcChange change) {
    if (change == DcChange::Clip || change == DcChange::Restore || change == DcChange::Bitmap) clipValid_ = false;
}

Region SurfaceDC::VisibleRegion() const {
    Region r = visible_;
    r.Offset(-origin_.x, -origin_.y);
    return r;
}

const Region& SurfaceDC::SurfaceClip() {
    if (!clipValid_) {
        clipCache_ = visible_;
        if (surface_) {
            clipCache_.IntersectWith(RECT{0, 0, surface_->Width(), surface_->Height()});
        } else {
            clipCache_.SetEmpty();
        }
        if (State().hasClip) {
            Region c = State().clip;
            c.Offset(origin_.x, origin_.y);
            clipCache_.IntersectWith(c);
        }
        clipValid_ = true;
    }
    return clipCache_;
}

Pixel SurfaceDC::TargetPixel(COLORREF c) const {
    Pixel p = PixelFromColor(c & 0x00FFFFFF);
    if (!mono_) return p;
    int sum = static_cast<int>((p >> 16) & 0xFF) + static_cast<int>((p >> 8) & 0xFF) + static_cast<int>(p & 0xFF);
    return sum > 382 ? 0x00FFFFFFu : 0u;
}

Ink SurfaceDC::BrushInk(HBRUSH handle) const {
    Ink ink;
    BrushObject* brush = FindBrush(handle);
    if (!brush) return ink;
    const DcState& s = State();
    switch (brush->Style()) {
    case BS_SOLID: {
        COLORREF c = brush->Color();
        if (brush->ColorSource() == BrushObject::Source::DcColor) c = s.dcBrushColor;
        if (brush->ColorSource() == BrushObject::Source::SysColor) c = SystemColor(brush->SysColorIndex());
        return Ink::Solid(TargetPixel(c));
    }
    case BS_HATCHED: {
        int h = brush->Hatch();
        if (h < 0 || h > 5) h = 0;
        ink.none = false;
        ink.width = ink.height = 8;
        ink.pixels.resize(64);
        Pixel fg = TargetPixel(brush->Color());
        Pixel bg = TargetPixel(s.bkColor);
        bool transparent = s.bkMode == TRANSPARENT;
        if (transparent) ink.mask.assign(64, 0);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                bool on = (kHatch[h][y] >> (7 - x)) & 1;
                ink.pixels[static_cast<std::size_t>(y * 8 + x)] = on ? fg : bg;
                if (transparent) ink.mask[static_cast<std::size_t>(y * 8 + x)] = on ? 1 : 0;
            }
        }
        ink.origin = s.brushOrg;
        return ink;
    }
    case BS_PATTERN: {
        const Surface& pat = brush->PatternPixels();
        if (pat.Empty()) return ink;
        ink.none = false;
        ink.width = pat.Width();
        ink.height = pat.Height();
        ink.pixels.resize(static_cast<std::size_t>(ink.width) * static_cast<std::size_t>(ink.height));
        // A monochrome pattern takes the DC's colours: 0 is the text colour,
        // 1 the background colour.
        Pixel fg = TargetPixel(s.textColor);
        Pixel bg = TargetPixel(s.bkColor);
        for (int y = 0; y < ink.height; ++y) {
            for (int x = 0; x < ink.width; ++x) {
                Pixel p = pat.At(x, y);
                if (brush->PatternIsMonochrome()) {
                    p = (p & 0x00FFFFFF) ? bg : fg;
                } else if (mono_) {
                    p = TargetPixel(ColorFromPixel(p));
                }
                ink.pixels[static_cast<std::size_t>(y * ink.width + x)] = p & 0x00FFFFFF;
            }
        }
        ink.origin = s.brushOrg;
        return ink;
    }
    default: return ink;  // BS_NULL
    }
}

void SurfaceDC::PaintPiece(const RECT& r, const Ink& ink, std::uint8_t rop) {
    int n = r.right - r.left;
    if (n <= 0 || r.bottom <= r.top) return;
    RopRowFn fn = RopRow(rop);
    bool usesPattern = RopUsesPattern(rop);
    if (static_cast<int>(rowBuffer_.size()) < n) rowBuffer_.resize(static_cast<std::size_t>(n));
    Pixel* pat = rowBuffer_.data();
    if (!usesPattern || ink.IsSolid()) {
        Pixel solid = ink.pixels.empty() ? 0 : ink.pixels[0];
        if (rop == 0xF0) {
            for (int y = r.top; y < r.bottom; ++y) std::fill_n(surface_->Row(y) + r.left, n, solid);
        } else {
            std::fill_n(pat, n, solid);
            for (int y = r.top; y < r.bottom; ++y) fn(surface_->Row(y) + r.left, nullptr, pat, n);
        }
    } else {
        for (int y = r.top; y < r.bottom; ++y) {
            int dy = y - origin_.y;
            int py = Mod(dy - ink.origin.y, ink.height);
            const Pixel* prow = ink.pixels.data() + static_cast<std::ptrdiff_t>(py) * ink.width;
            int px = Mod(r.left - origin_.x - ink.origin.x, ink.width);
            for (int i = 0; i < n; ++i) {
                pat[i] = prow[px];
                if (++px == ink.width) px = 0;
            }
            Pixel* dst = surface_->Row(y) + r.left;
            if (ink.mask.empty()) {
                fn(dst, nullptr, pat, n);
            } else {
                const std::uint8_t* mrow = ink.mask.data() + static_cast<std::ptrdiff_t>(py) * ink.width;
                int mx = Mod(r.left - origin_.x - ink.origin.x, ink.width);
                int runStart = -1;
                for (int i = 0; i <= n; ++i) {
                    bool on = i < n && mrow[mx];
                    if (i < n && ++mx == ink.width) mx = 0;
                    if (on && runStart < 0) runStart = i;
                    if (!on && runStart >= 0) {
                        fn(dst + runStart, nullptr, pat + runStart, i - runStart);
                        runStart = -1;
                    }
                }
            }
        }
    }
    surface_->MarkDirty(r);
}

void SurfaceDC::PaintRect(const RECT& device, const Ink& ink, std::uint8_t rop) {
    if (!surface_ || (ink.none && RopUsesPattern(rop))) return;
    RECT s{device.left + origin_.x, device.top + origin_.y, device.right + origin_.x, device.bottom + origin_.y};
    if (IsRectEmptyValue(s)) return;
    for (const RECT& c : SurfaceClip().Rects()) {
        RECT piece = IntersectRectValue(s, c);
        if (!IsRectEmptyValue(piece)) PaintPiece(piece, ink, rop);
    }
}

void SurfaceDC::PaintSpans(const std::vector<Span>& spans, const Ink& ink, std::uint8_t rop) {
    if (!surface_ || (ink.none && RopUsesPattern(rop))) return;
    const Region& clip = SurfaceClip();
    for (const Span& sp : spans) {
        int y = sp.y + origin_.y;
        RECT s{sp.x0 + origin_.x, y, sp.x1 + origin_.x, y + 1};
        if (IsRectEmptyValue(s)) continue;
        for (const RECT& c : clip.Rects()) {
            if (c.top > y) break;
            if (c.bottom <= y) continue;
            RECT piece = IntersectRectValue(s, c);
            if (!IsRectEmptyValue(piece)) PaintPiece(piece, ink, rop);
        }
    }
}

BOOL SurfaceDC::PatBlt(const RECT& r, HBRUSH brush, DWORD rop) {
    std::uint8_t op = RopIndex(rop);
    if (RopUsesSource(op)) return FALSE;
    Ink ink = RopUsesPattern(op) ? BrushInk(brush) : Ink::Solid(0);
    PaintRect(ToDeviceRect(r), ink, op);
    return TRUE;
}

BOOL SurfaceDC::FillRegion(const Region& logical, HBRUSH brush, DWORD rop) {
    std::uint8_t op = RopIndex(rop);
    if (RopUsesSource(op)) return FALSE;
    Ink ink = RopUsesPattern(op) ? BrushInk(brush) : Ink::Solid(0);
    if (IsIdentityMapping()) {
        for (const RECT& r : logical.Rects()) PaintRect(r, ink, op);
        return TRUE;
    }
    // Scaled: map every rectangle and rebuild, so neighbours stay seamless.
    std::vector<RECT> mapped;
    for (const RECT& r : logical.Rects()) mapped.push_back(ToDeviceRect(r));
    Region device = Region::FromRects(mapped);
    for (const RECT& r : device.Rects()) PaintRect(r, ink, op);
    return TRUE;
}

COLORREF SurfaceDC::SetPixel(POINT p, COLORREF color) {
    if (!surface_) return CLR_INVALID;
    POINT d = ToDevice(p);
    int x = d.x + origin_.x, y = d.y + origin_.y;
    if (!SurfaceClip().Contains(x, y)) return CLR_INVALID;
    Pixel px = TargetPixel(color);
    surface_->Set(x, y, px);
    surface_->MarkDirty(RECT{x, y, x + 1, y + 1});
    return ColorFromPixel(px);
}

COLORREF SurfaceDC::GetPixel(POINT p) {
    if (!surface_) return CLR_INVALID;
    POINT d = ToDevice(p);
    int x = d.x + origin_.x, y = d.y + origin_.y;
    if (!SurfaceClip().Contains(x, y)) return CLR_INVALID;
    return ColorFromPixel(surface_->At(x, y) & 0x00FFFFFF);
}

// ---------------------------------------------------------------------------
// What the window system calls

HDC CreateSurfaceDC() { return RegisterDC(std::make_unique<SurfaceDC>(SurfaceDC::Kind::Window)); }

BOOL BindSurfaceDC(HDC dc, Surface* surface, POINT origin, const Region& visible) {
    SurfaceDC* s = FindSurfaceDC(dc);
    if (!s || s->Type() != OBJ_DC) return FALSE;
    s->Bind(surface, origin, visible);
    return TRUE;
}

BOOL ResetSurfaceDC(HDC dc) {
    SurfaceDC* s = FindSurfaceDC(dc);
    if (!s) return FALSE;
    s->Reset();
    ReleasePendingObjects();
    return TRUE;
}

Surface* SurfaceOfDC(HDC dc) {
    SurfaceDC* s = FindSurfaceDC(dc);
    return s ? s->PixelSurface() : nullptr;
}

BOOL DeleteSurfaceDC(HDC dc) {
    if (!FindSurfaceDC(dc)) return FALSE;
    return DestroyDC(dc) ? TRUE : FALSE;
}

}  // namespace win32::gdi
