#include "platform/gdi/metafile_player.h"

#include <cmath>
#include <vector>

#include "platform/gdi/font_object.h"

namespace win32::gdi {
namespace {

LONG HundredthsToPixels(LONG v, int dpi) {
    return static_cast<LONG>(std::llround(static_cast<double>(v) * dpi / 2540.0));
}

// Makes a bitmap carrying the record's pixels.
HBITMAP MakeBitmap(const emf::Bits& bits) {
    if (bits.width <= 0 || bits.height <= 0) return nullptr;
    HBITMAP bmp = CreateBitmap(bits.width, bits.height, 1, bits.monochrome ? 1 : 32, nullptr);
    BitmapObject* b = FindBitmap(bmp);
    if (!b) return nullptr;
    Surface& s = b->Pixels();
    for (int y = 0; y < bits.height && y < s.Height(); ++y) {
        for (int x = 0; x < bits.width && x < s.Width(); ++x) {
            s.Set(x, y, bits.pixels[static_cast<std::size_t>(y) * bits.width + x]);
        }
    }
    return bmp;
}

// A memory DC holding a bitmap of the record's pixels, for blits.
class SourceDC {
public:
    explicit SourceDC(const emf::Bits& bits) {
        bitmap_ = MakeBitmap(bits);
        if (!bitmap_) return;
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~SourceDC() {
        if (dc_) {
            SelectObject(dc_, old_);
            DeleteDC(dc_);
        }
        if (bitmap_) DeleteObject(bitmap_);
    }
    SourceDC(const SourceDC&) = delete;
    SourceDC& operator=(const SourceDC&) = delete;
    DeviceContext* Get() const { return dc_ ? FindDC(dc_) : nullptr; }

private:
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

class Player {
public:
    Player(DeviceContext& target, bool hadClip, Region clip)
        : t_(target), hadClip_(hadClip), originalClip_(std::move(clip)) {}
    ~Player() {
        for (HGDIOBJ o : created_) DeleteObject(o);
    }

    void operator()(const emf::SelectFont& r) { Replace(CreateFontIndirectA(&r.font)); }
    void operator()(const emf::SelectPen& r) {
        Replace(CreatePen(static_cast<int>(r.style), r.width, r.color));
    }
    void operator()(const emf::SelectBrush& r) {
        HGDIOBJ brush = nullptr;
        switch (r.style) {
        case BS_SOLID: brush = CreateSolidBrush(r.color); break;
        case BS_HATCHED: brush = CreateHatchBrush(r.hatch, r.color); break;
        case BS_PATTERN: {
            HBITMAP bmp = MakeBitmap(r.pattern);
            if (bmp) {
                brush = CreatePatternBrush(bmp);
                DeleteObject(bmp);
            }
            break;
        }
        default: break;
        }
        if (brush) {
            Replace(brush);
        } else {
            t_.Select(GetStockObject(NULL_BRUSH));
        }
    }
    void operator()(const emf::SetColors& r) {
        t_.SetTextColor(r.text);
        t_.SetBkColor(r.background);
    }
    void operator()(const emf::SetModes& r) {
        t_.SetBkMode(r.bkMode);
        t_.SetRop2(r.rop2);
        t_.SetPolyFillMode(r.polyFillMode);
        t_.SetStretchMode(r.stretchMode);
    }
    void operator()(const emf::SetBrushOrg& r) {
        // Brush origins are device coordinates; the recorded one is in the
        // metafile's units.
        t_.SetBrushOrg(t_.ToDevice(r.origin));
    }
    void operator()(const emf::SetClip& r) {
        if (!r.hasClip) {
            t_.SelectClip(hadClip_ ? &originalClip_ : nullptr, RGN_COPY);
            return;
        }
        std::vector<RECT> device;
        device.reserve(r.rects.size());
        for (const RECT& rect : r.rects) device.push_back(t_.ToDeviceRect(rect));
        Region clip = Region::FromRects(device);
        if (hadClip_) clip.IntersectWith(originalClip_);
        t_.SelectClip(&clip, RGN_COPY);
    }
    void operator()(const emf::Polyline& r) { t_.Polyline(r.points.data(), static_cast<int>(r.points.size())); }
    void operator()(const emf::PolyPolygon& r) {
        t_.PolyPolygon(r.points.data(), r.counts.data(), static_cast<int>(r.counts.size()));
    }
    void operator()(const emf::Rectangle& r) { t_.Rectangle(r.rect); }
    void operator()(const emf::Ellipse& r) { t_.Ellipse(r.rect); }
    void operator()(const emf::PatBlt& r) { t_.PatBlt(r.rect, t_.State().brush, r.rop); }
    void operator()(const emf::FillRegion& r) { t_.FillRegion(Region::FromRects(r.rects), t_.State().brush, r.rop); }
    void operator()(const emf::StretchBlt& r) {
        if (!r.hasSource) {
            t_.StretchBlt(r.dst, nullptr, r.src, r.rop);
            return;
        }
        SourceDC src(r.bits);
        if (DeviceContext* s = src.Get()) t_.StretchBlt(r.dst, s, r.src, r.rop);
    }
    void operator()(const emf::TransparentBlt& r) {
        SourceDC src(r.bits);
        if (DeviceContext* s = src.Get()) t_.TransparentBlt(r.dst, s, r.src, r.key);
    }
    void operator()(const emf::MaskBlt& r) {
        std::unique_ptr<SourceDC> src;
        if (r.hasSource) src = std::make_unique<SourceDC>(r.bits);
        HBITMAP mask = r.hasMask ? MakeBitmap(r.mask) : nullptr;
        // The target scales the destination; source and mask cover it at
        // the recorded size.
        t_.MaskBlt(r.dst, src ? src->Get() : nullptr, POINT{0, 0}, mask ? FindBitmap(mask) : nullptr, POINT{0, 0},
                   r.rop4);
        if (mask) DeleteObject(mask);
    }
    void operator()(const emf::SetPixel& r) { t_.SetPixel(r.point, r.color); }
    void operator()(const emf::ExtTextOut& r) {
        t_.ExtTextOut(r.origin.x, r.origin.y, r.options, r.hasRect ? &r.rect : nullptr, r.text,
                      r.dx.empty() ? nullptr : r.dx.data());
    }

private:
    // Selects a new object of the metafile and lets the one it replaces go.
    void Replace(HGDIOBJ object) {
        if (!object) return;
        t_.Select(object);
        created_.push_back(object);
    }

    DeviceContext& t_;
    bool hadClip_;
    Region originalClip_;
    std::vector<HGDIOBJ> created_;
};

}  // namespace

RECT FrameInPixels(const emf::Header& h) {
    RECT f{HundredthsToPixels(h.frame.left, h.dpi.cx), HundredthsToPixels(h.frame.top, h.dpi.cy),
           HundredthsToPixels(h.frame.right, h.dpi.cx), HundredthsToPixels(h.frame.bottom, h.dpi.cy)};
    if (IsRectEmptyValue(f) && h.bounds.right >= h.bounds.left && h.bounds.bottom >= h.bounds.top) {
        f = RECT{h.bounds.left, h.bounds.top, h.bounds.right + 1, h.bounds.bottom + 1};
    }
    return f;
}

bool PlayMetafile(const emf::Metafile& m, DeviceContext& target, const RECT& destination) {
    const RECT frame = FrameInPixels(m.header);
    const long long fw = static_cast<long long>(frame.right) - frame.left;
    const long long fh = static_cast<long long>(frame.bottom) - frame.top;
    if (fw <= 0 || fh <= 0 || fw > 0x7FFFFFFF || fh > 0x7FFFFFFF) return true;  // nothing to show
    const RECT dest = target.ToDeviceRect(destination);
    if (IsRectEmptyValue(dest)) return true;

    const bool hadClip = target.State().hasClip;
    Region clip = target.State().clip;
    const int level = target.Save();
    if (level == 0) return false;
    target.SetMapMode(MM_ANISOTROPIC);
    target.SetWindowOrg(POINT{frame.left, frame.top});
    target.SetViewportOrg(POINT{dest.left, dest.top});
    bool mapped = target.SetWindowExt(SIZE{static_cast<LONG>(fw), static_cast<LONG>(fh)}, nullptr) &&
                  target.SetViewportExt(SIZE{dest.right - dest.left, dest.bottom - dest.top}, nullptr);
    if (mapped) {
        target.SetTextAlign(TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
        target.SetTextCharacterExtra(0);
        Player player(target, hadClip, std::move(clip));
        for (const emf::Record& record : m.records) std::visit(player, record);
        // Restore before the player lets go of the objects it selected.
        target.Restore(level);
    } else {
        target.Restore(level);
    }
    return mapped;
}

}  // namespace win32::gdi
