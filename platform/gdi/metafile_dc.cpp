#include "platform/gdi/metafile_dc.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/font_object.h"
#include "platform/gdi/text_out.h"
#include "platform/gdi/text_utf8.h"

namespace win32::gdi {
namespace {

// The recording surface has no edges of its own.
constexpr LONG kFar = 1 << 26;

bool SameFont(const LOGFONTA& a, const LOGFONTA& b) {
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

bool SameBits(const emf::Bits& a, const emf::Bits& b) {
    return a.width == b.width && a.height == b.height && a.monochrome == b.monochrome && a.pixels == b.pixels;
}

RECT BoundsOf(const POINT* p, int count) {
    RECT r{p[0].x, p[0].y, p[0].x + 1, p[0].y + 1};
    for (int i = 1; i < count; ++i) {
        r.left = std::min(r.left, p[i].x);
        r.top = std::min(r.top, p[i].y);
        r.right = std::max(r.right, p[i].x + 1);
        r.bottom = std::max(r.bottom, p[i].y + 1);
    }
    return r;
}

RECT BoundsOfBlt(const BltRect& b) {
    return RECT{std::min(b.x, b.x + b.width), std::min(b.y, b.y + b.height), std::max(b.x, b.x + b.width),
                std::max(b.y, b.y + b.height)};
}

}  // namespace

MetafileDC::MetafileDC(const std::array<int, kCapsCount>& caps, std::optional<RECT> frame, std::string description,
                       std::string fileName)
    : caps_(caps), frame_(frame), description_(std::move(description)), fileName_(std::move(fileName)) {}

Region MetafileDC::VisibleRegion() const { return Region(RECT{-kFar, -kFar, kFar, kFar}); }

int MetafileDC::DeviceCaps(int index) const {
    if (index < 0 || index >= kCapsCount) return 0;
    return caps_[static_cast<std::size_t>(index)];
}

emf::Metafile MetafileDC::Finish() {
    emf::Header& h = data_.header;
    h.dpi = SIZE{std::max(1, caps_[LOGPIXELSX]), std::max(1, caps_[LOGPIXELSY])};
    h.devicePixels = SIZE{caps_[HORZRES], caps_[VERTRES]};
    h.deviceMillimeters = SIZE{caps_[HORZSIZE], caps_[VERTSIZE]};
    h.description = description_;
    h.bounds = anyBounds_ ? RECT{bounds_.left, bounds_.top, bounds_.right - 1, bounds_.bottom - 1}
                          : RECT{0, 0, -1, -1};
    if (frame_) {
        RECT f = *frame_;
        if (f.left > f.right) std::swap(f.left, f.right);
        if (f.top > f.bottom) std::swap(f.top, f.bottom);
        h.frame = f;
    } else if (anyBounds_) {
        const auto toHundredths = [](long long px, int dpi) {
            return static_cast<LONG>((px * 2540 + (px >= 0 ? dpi / 2 : -dpi / 2)) / dpi);
        };
        h.frame = RECT{toHundredths(bounds_.left, h.dpi.cx), toHundredths(bounds_.top, h.dpi.cy),
                       toHundredths(bounds_.right, h.dpi.cx), toHundredths(bounds_.bottom, h.dpi.cy)};
    }
    return std::move(data_);
}

void MetafileDC::Add(emf::Record record, const RECT& b) {
    data_.records.push_back(std::move(record));
    if (IsRectEmptyValue(b)) return;
    if (!anyBounds_) {
        bounds_ = b;
        anyBounds_ = true;
        return;
    }
    bounds_.left = std::min(bounds_.left, b.left);
    bounds_.top = std::min(bounds_.top, b.top);
    bounds_.right = std::max(bounds_.right, b.right);
    bounds_.bottom = std::max(bounds_.bottom, b.bottom);
}

void MetafileDC::Sync(HBRUSH brushHandle) {
    const DcState& s = State();
    emf::SelectFont font{DeviceLogFont(*this, SelectedLogFont(*this))};
    if (!font_ || !SameFont(font_->font, font.font)) {
        font_ = font;
        data_.records.push_back(font);
    }

    emf::SelectPen pen{PS_SOLID, 0, 0};
    if (const PenObject* p = FindPen(s.pen)) {
        pen.style = static_cast<UINT>(p->Style());
        pen.width = p->Width() == 0 ? 0 : std::max(1, ScaleWidth(p->Width()));
        pen.color = p->FollowsDcColor() ? s.dcPenColor : p->Pen().lopnColor;
    }
    if (!pen_ || pen_->style != pen.style || pen_->width != pen.width || pen_->color != pen.color) {
        pen_ = pen;
        data_.records.push_back(pen);
    }

    emf::SelectBrush brush{BS_NULL, 0, 0, {}};
    if (const BrushObject* b = FindBrush(brushHandle)) {
        brush.style = b->Style();
        switch (b->ColorSource()) {
        case BrushObject::Source::DcColor: brush.color = s.dcBrushColor; break;
        case BrushObject::Source::SysColor: brush.color = SystemColor(b->SysColorIndex()); break;
        default: brush.color = b->Color(); break;
        }
        brush.hatch = b->Hatch();
        if (brush.style == BS_PATTERN || brush.style == BS_DIBPATTERN) {
            brush.style = BS_PATTERN;
            const Surface& pat = b->PatternPixels();
            brush.pattern.width = pat.Width();
            brush.pattern.height = pat.Height();
            brush.pattern.monochrome = b->PatternIsMonochrome();
            for (int y = 0; y < pat.Height(); ++y) {
                for (int x = 0; x < pat.Width(); ++x) {
                    Pixel p = pat.At(x, y) & 0x00FFFFFF;
                    if (brush.pattern.monochrome) p = p ? 0xFFFFFF : 0;
                    brush.pattern.pixels.push_back(p);
                }
            }
        } else {
            brush.color &= 0x00FFFFFF;
        }
    }
    if (!brush_ || brush_->style != brush.style || brush_->color != brush.color || brush_->hatch != brush.hatch ||
        !SameBits(brush_->pattern, brush.pattern)) {
        brush_ = brush;
        data_.records.push_back(brush);
    }

    emf::SetColors colors{s.textColor, s.bkColor};
    if (!colors_ || colors_->text != colors.text || colors_->background != colors.background) {
        colors_ = colors;
        data_.records.push_back(colors);
    }
    emf::SetModes modes{s.bkMode, s.rop2, s.polyFillMode, s.stretchMode};
    if (!modes_ || modes_->bkMode != modes.bkMode || modes_->rop2 != modes.rop2 ||
        modes_->polyFillMode != modes.polyFillMode || modes_->stretchMode != modes.stretchMode) {
        modes_ = modes;
        data_.records.push_back(modes);
    }
    emf::SetBrushOrg org{s.brushOrg};
    if (!brushOrg_ || !(brushOrg_->origin == org.origin)) {
        brushOrg_ = org;
        data_.records.push_back(org);
    }
    emf::SetClip clip{s.hasClip, s.hasClip ? s.clip.Rects() : std::vector<RECT>{}};
    if (!clip_ || clip_->hasClip != clip.hasClip || clip_->rects.size() != clip.rects.size() ||
        !std::equal(clip.rects.begin(), clip.rects.end(), clip_->rects.begin())) {
        clip_ = clip;
        data_.records.push_back(std::move(clip));
    }
}

BltRect MetafileDC::ToDeviceBlt(const BltRect& b) const {
    POINT a = ToDevice(POINT{b.x, b.y});
    POINT c = ToDevice(POINT{b.x + b.width, b.y + b.height});
    return BltRect{a.x, a.y, c.x - a.x, c.y - a.y};
}

BOOL MetafileDC::Polyline(const POINT* points, int count) {
    if (!points || count < 2) return FALSE;
    Sync(State().brush);
    emf::Polyline r;
    r.points.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) r.points.push_back(ToDevice(points[i]));
    RECT b = BoundsOf(r.points.data(), count);
    Add(std::move(r), b);
    return TRUE;
}

BOOL MetafileDC::PolyPolygon(const POINT* points, const INT* counts, int polygons) {
    if (!points || !counts || polygons <= 0) return FALSE;
    Sync(State().brush);
    emf::PolyPolygon r;
    for (int i = 0; i < polygons; ++i) {
        if (counts[i] < 0) return FALSE;
        r.counts.push_back(counts[i]);
        for (int k = 0; k < counts[i]; ++k) r.points.push_back(ToDevice(*points++));
    }
    if (r.points.empty()) return FALSE;
    RECT b = BoundsOf(r.points.data(), static_cast<int>(r.points.size()));
    Add(std::move(r), b);
    return TRUE;
}

BOOL MetafileDC::Rectangle(const RECT& r) {
    Sync(State().brush);
    RECT d = ToDeviceRect(r);
    Add(emf::Rectangle{d}, d);
    return TRUE;
}

BOOL MetafileDC::Ellipse(const RECT& r) {
    Sync(State().brush);
    RECT d = ToDeviceRect(r);
    Add(emf::Ellipse{d}, d);
    return TRUE;
}

BOOL MetafileDC::PatBlt(const RECT& r, HBRUSH brush, DWORD rop) {
    Sync(brush);
    RECT d = ToDeviceRect(r);
    Add(emf::PatBlt{d, rop}, d);
    return TRUE;
}

BOOL MetafileDC::FillRegion(const Region& logical, HBRUSH brush, DWORD rop) {
    Sync(brush);
    emf::FillRegion f;
    std::vector<RECT> device;
    for (const RECT& r : logical.Rects()) device.push_back(ToDeviceRect(r));
    Region normalised = Region::FromRects(device);
    f.rects = normalised.Rects();
    f.rop = rop;
    Add(std::move(f), normalised.Bounds());
    return TRUE;
}

emf::Bits CaptureBits(DeviceContext& dc, const RECT& device) {
    emf::Bits bits;
    bits.width = std::max<LONG>(0, device.right - device.left);
    bits.height = std::max<LONG>(0, device.bottom - device.top);
    bits.monochrome = dc.IsMonochrome();
    bits.pixels.assign(static_cast<std::size_t>(bits.width) * bits.height, 0);
    Surface* s = dc.PixelSurface();
    if (!s) return bits;
    const POINT o = dc.SurfaceOrigin();
    for (int y = 0; y < bits.height; ++y) {
        const int sy = device.top + y + o.y;
        if (sy < 0 || sy >= s->Height()) continue;
        for (int x = 0; x < bits.width; ++x) {
            const int sx = device.left + x + o.x;
            if (sx < 0 || sx >= s->Width()) continue;
            Pixel p = s->At(sx, sy) & 0x00FFFFFF;
            if (bits.monochrome) p = p ? 0xFFFFFF : 0;
            bits.pixels[static_cast<std::size_t>(y) * bits.width + x] = p;
        }
    }
    return bits;
}

namespace {

// The source rectangle of a blit cut out of its DC: the bits and where the
// rectangle lies in them (keeping a mirrored extent's sign).
bool CaptureSource(DeviceContext* src, const BltRect& logical, emf::Bits& bits, BltRect& inBits) {
    if (!src || !src->PixelSurface()) return false;
    POINT a = src->ToDevice(POINT{logical.x, logical.y});
    POINT c = src->ToDevice(POINT{logical.x + logical.width, logical.y + logical.height});
    RECT box{std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)};
    // A source larger than any bitmap is cut to what a bitmap can hold.
    box.right = std::min<LONG>(box.right, box.left + (1 << 15));
    box.bottom = std::min<LONG>(box.bottom, box.top + (1 << 15));
    bits = CaptureBits(*src, box);
    inBits = BltRect{a.x - box.left, a.y - box.top, c.x - a.x, c.y - a.y};
    return true;
}

}  // namespace

BOOL MetafileDC::StretchBlt(const BltRect& dst, DeviceContext* src, const BltRect& srcRect, DWORD rop) {
    emf::StretchBlt r{};
    r.dst = ToDeviceBlt(dst);
    r.rop = rop;
    r.hasSource = RopUsesSource(rop);
    if (r.hasSource && !CaptureSource(src, srcRect, r.bits, r.src)) return FALSE;
    Sync(State().brush);
    RECT b = BoundsOfBlt(r.dst);
    Add(std::move(r), b);
    return TRUE;
}

BOOL MetafileDC::TransparentBlt(const BltRect& dst, DeviceContext* src, const BltRect& srcRect, COLORREF key) {
    emf::TransparentBlt r{};
    r.dst = ToDeviceBlt(dst);
    r.key = key;
    if (!CaptureSource(src, srcRect, r.bits, r.src)) return FALSE;
    Sync(State().brush);
    RECT b = BoundsOfBlt(r.dst);
    Add(std::move(r), b);
    return TRUE;
}

BOOL MetafileDC::MaskBlt(const BltRect& dst, DeviceContext* src, POINT srcOrg, BitmapObject* mask, POINT maskOrg,
                         DWORD rop4) {
    emf::MaskBlt r{};
    r.dst = ToDeviceBlt(dst);
    r.rop4 = rop4;
    const int w = std::min(std::abs(r.dst.width), 1 << 15);
    const int h = std::min(std::abs(r.dst.height), 1 << 15);
    r.hasSource = RopUsesSource(rop4 & 0x00FF0000) || RopUsesSource((rop4 >> 8) & 0x00FF0000);
    if (r.hasSource) {
        if (!src || !src->PixelSurface()) return FALSE;
        POINT a = src->ToDevice(srcOrg);
        r.bits = CaptureBits(*src, RECT{a.x, a.y, a.x + w, a.y + h});
    }
    if (mask) {
        r.hasMask = true;
        r.mask.width = w;
        r.mask.height = h;
        r.mask.monochrome = true;
        r.mask.pixels.assign(static_cast<std::size_t>(w) * h, 0);
        const Surface& m = mask->Pixels();
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int mx = maskOrg.x + x, my = maskOrg.y + y;
                if (m.Contains(mx, my) && (m.At(mx, my) & 0x00FFFFFF)) {
                    r.mask.pixels[static_cast<std::size_t>(y) * w + x] = 0xFFFFFF;
                }
            }
        }
    }
    Sync(State().brush);
    RECT b = BoundsOfBlt(r.dst);
    Add(std::move(r), b);
    return TRUE;
}

COLORREF MetafileDC::SetPixel(POINT p, COLORREF color) {
    Sync(State().brush);
    POINT d = ToDevice(p);
    Add(emf::SetPixel{d, color}, RECT{d.x, d.y, d.x + 1, d.y + 1});
    return color;
}

COLORREF MetafileDC::GetPixel(POINT) { return CLR_INVALID; }

BOOL MetafileDC::ExtTextOut(int x, int y, UINT options, const RECT* rect, std::string_view text, const INT* dx) {
    Sync(State().brush);
    emf::ExtTextOut r{};
    r.options = options & (ETO_OPAQUE | ETO_CLIPPED);
    r.hasRect = rect != nullptr && r.options != 0;
    RECT bounds{0, 0, 0, 0};
    if (r.hasRect) {
        r.rect = ToDeviceRect(*rect);
        if (r.options & ETO_OPAQUE) bounds = r.rect;
    }
    PlacedText placed;
    PlaceText(*this, x, y, text, dx, placed);
    const PlacedRun& run = placed.run;
    r.origin = POINT{ToDevice(placed.logicalOrigin).x, run.baselineY};
    r.text.assign(text.data(), text.size());
    r.dx.assign(text.size(), 0);
    // Device advances, each on the first byte of its character.
    std::size_t byte = 0;
    for (std::size_t i = 0; i < run.chars.size() && byte < text.size(); ++i) {
        const int next = i + 1 < run.chars.size() ? run.penX[i + 1]
                                                  : run.penX[i] + ScaleWidth(placed.measured.advances[i]);
        r.dx[byte] = next - run.penX[i];
        const std::size_t len = DecodeUtf8At(text, byte).length;
        byte += len;
    }
    if (!text.empty()) {
        RECT cell = placed.cell;
        if (r.hasRect && (r.options & ETO_CLIPPED)) cell = IntersectRectValue(cell, r.rect);
        if (IsRectEmptyValue(bounds)) {
            bounds = cell;
        } else if (!IsRectEmptyValue(cell)) {
            bounds = RECT{std::min(bounds.left, cell.left), std::min(bounds.top, cell.top),
                          std::max(bounds.right, cell.right), std::max(bounds.bottom, cell.bottom)};
        }
    }
    Add(std::move(r), bounds);
    return TRUE;
}

MetafileDC* FindMetafileDC(HDC dc) {
    DeviceContext* d = FindDC(dc);
    return d && d->Type() == OBJ_ENHMETADC ? static_cast<MetafileDC*>(d) : nullptr;
}

}  // namespace win32::gdi
