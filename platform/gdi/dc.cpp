#include "platform/gdi/dc.h"

#include <cmath>
#include <cstdlib>

namespace win32::gdi {

namespace {

int RegionType(const Region& r) {
    if (r.IsEmpty()) return NULLREGION;
    return r.IsRectangle() ? SIMPLEREGION : COMPLEXREGION;
}

// Rounds half away from zero, as GDI's integer mapping does.
LONG RoundToLong(double v) {
    if (v > 2147483647.0) return 2147483647;
    if (v < -2147483648.0) return -2147483647 - 1;
    return static_cast<LONG>(std::lround(v));
}

bool HoldsObject(const DcState& s, HGDIOBJ o) {
    return s.pen == o || s.brush == o || s.font == o || s.bitmap == o || s.palette == o;
}

}  // namespace

DeviceContext::DeviceContext() { ResetState(); }

DeviceContext::~DeviceContext() = default;

void DeviceContext::ResetState() {
    state_ = DcState{};
    state_.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    state_.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    state_.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    state_.palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    state_.bitmap = nullptr;
    saved_.clear();
}

HGDIOBJ DeviceContext::Select(HGDIOBJ object) {
    GdiObject* o = FindObject(object);
    if (!o || o->DeletePending()) return nullptr;
    HGDIOBJ old = nullptr;
    switch (o->Type()) {
    case OBJ_PEN:
        old = state_.pen;
        state_.pen = static_cast<HPEN>(object);
        StateChanged(DcChange::Pen);
        break;
    case OBJ_BRUSH:
        old = state_.brush;
        state_.brush = static_cast<HBRUSH>(object);
        StateChanged(DcChange::Brush);
        break;
    case OBJ_FONT:
        old = state_.font;
        state_.font = static_cast<HFONT>(object);
        StateChanged(DcChange::Font);
        break;
    case OBJ_PAL:
        old = state_.palette;
        state_.palette = static_cast<HPALETTE>(object);
        StateChanged(DcChange::Palette);
        break;
    case OBJ_BITMAP: {
        if (!CanSelectBitmap()) return nullptr;
        auto* bitmap = static_cast<BitmapObject*>(o);
        if (bitmap->SelectedInto() && bitmap->SelectedInto() != handle_) return nullptr;
        old = state_.bitmap;
        if (BitmapObject* prev = FindBitmap(old)) {
            if (prev->SelectedInto() == handle_) prev->SetSelectedInto(nullptr);
        }
        state_.bitmap = static_cast<HBITMAP>(object);
        if (!bitmap->IsStock()) bitmap->SetSelectedInto(handle_);
        BitmapSelected(bitmap);
        StateChanged(DcChange::Bitmap);
        break;
    }
    default: return nullptr;
    }
    ReleasePendingObjects();
    return old;
}

COLORREF DeviceContext::SetTextColor(COLORREF c) {
    COLORREF old = state_.textColor;
    state_.textColor = c & 0x00FFFFFF;
    StateChanged(DcChange::Colors);
    return old;
}

COLORREF DeviceContext::SetBkColor(COLORREF c) {
    COLORREF old = state_.bkColor;
    state_.bkColor = c & 0x00FFFFFF;
    StateChanged(DcChange::Colors);
    return old;
}

COLORREF DeviceContext::SetDcBrushColor(COLORREF c) {
    COLORREF old = state_.dcBrushColor;
    state_.dcBrushColor = c & 0x00FFFFFF;
    StateChanged(DcChange::Colors);
    return old;
}

COLORREF DeviceContext::SetDcPenColor(COLORREF c) {
    COLORREF old = state_.dcPenColor;
    state_.dcPenColor = c & 0x00FFFFFF;
    StateChanged(DcChange::Colors);
    return old;
}

int DeviceContext::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    int old = state_.bkMode;
    state_.bkMode = mode;
    StateChanged(DcChange::Modes);
    return old;
}

int DeviceContext::SetRop2(int rop2) {
    if (rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
    int old = state_.rop2;
    state_.rop2 = rop2;
    StateChanged(DcChange::Modes);
    return old;
}

int DeviceContext::SetPolyFillMode(int mode) {
    if (mode != ALTERNATE && mode != WINDING) return 0;
    int old = state_.polyFillMode;
    state_.polyFillMode = mode;
    StateChanged(DcChange::Modes);
    return old;
}

int DeviceContext::SetStretchMode(int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
    int old = state_.stretchMode;
    state_.stretchMode = mode;
    StateChanged(DcChange::Modes);
    return old;
}

UINT DeviceContext::SetTextAlign(UINT align) {
    UINT old = state_.textAlign;
    state_.textAlign = align;
    StateChanged(DcChange::Modes);
    return old;
}

int DeviceContext::SetTextCharacterExtra(int extra) {
    int old = state_.textCharacterExtra;
    state_.textCharacterExtra = extra;
    StateChanged(DcChange::Modes);
    return old;
}

POINT DeviceContext::SetBrushOrg(POINT org) {
    POINT old = state_.brushOrg;
    state_.brushOrg = org;
    StateChanged(DcChange::BrushOrigin);
    return old;
}

int DeviceContext::SetMapMode(int mode) {
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
    int old = state_.mapMode;
    state_.mapMode = mode;
    // The fixed modes map a physical unit onto device pixels; y grows
    // upwards in all of them.
    int dpiX = DeviceCaps(LOGPIXELSX);
    int dpiY = DeviceCaps(LOGPIXELSY);
    auto fixed = [&](int perInch) {
        state_.windowExt = SIZE{perInch, perInch};
        state_.viewportExt = SIZE{dpiX, -dpiY};
    };
    switch (mode) {
    case MM_TEXT:
        state_.windowExt = SIZE{1, 1};
        state_.viewportExt = SIZE{1, 1};
        break;
    case MM_LOMETRIC: fixed(254); break;
    case MM_HIMETRIC: fixed(2540); break;
    case MM_LOENGLISH: fixed(100); break;
    case MM_HIENGLISH: fixed(1000); break;
    case MM_TWIPS: fixed(1440); break;
    case MM_ISOTROPIC:
        // Entering the scalable modes from a fixed one keeps its scale, as
        // GDI does; from MM_TEXT the scale stays 1:1.
        AdjustIsotropic();
        break;
    case MM_ANISOTROPIC: break;
    }
    StateChanged(DcChange::Mapping);
    return old;
}

POINT DeviceContext::SetWindowOrg(POINT org) {
    POINT old = state_.windowOrg;
    state_.windowOrg = org;
    StateChanged(DcChange::Mapping);
    return old;
}

POINT DeviceContext::SetViewportOrg(POINT org) {
    POINT old = state_.viewportOrg;
    state_.viewportOrg = org;
    StateChanged(DcChange::Mapping);
    return old;
}

bool DeviceContext::SetWindowExt(SIZE ext, SIZE* old) {
    if (old) *old = state_.windowExt;
    if (state_.mapMode != MM_ISOTROPIC && state_.mapMode != MM_ANISOTROPIC) return true;
    if (ext.cx == 0 || ext.cy == 0) return false;
    state_.windowExt = ext;
    if (state_.mapMode == MM_ISOTROPIC) AdjustIsotropic();
    StateChanged(DcChange::Mapping);
    return true;
}

bool DeviceContext::SetViewportExt(SIZE ext, SIZE* old) {
    if (old) *old = state_.viewportExt;
    if (state_.mapMode != MM_ISOTROPIC && state_.mapMode != MM_ANISOTROPIC) return true;
    if (ext.cx == 0 || ext.cy == 0) return false;
    state_.viewportExt = ext;
    if (state_.mapMode == MM_ISOTROPIC) AdjustIsotropic();
    StateChanged(DcChange::Mapping);
    return true;
}

void DeviceContext::AdjustIsotropic() {
    // Keep one logical unit equally long on both axes by shrinking the
    // viewport extent of the axis that would be stretched more.
    SIZE& w = state_.windowExt;
    SIZE& v = state_.viewportExt;
    if (w.cx == 0 || w.cy == 0) return;
    double sx = std::fabs(static_cast<double>(v.cx) / w.cx);
    double sy = std::fabs(static_cast<double>(v.cy) / w.cy);
    if (sx > sy) {
        LONG cx = RoundToLong(sy * std::abs(w.cx));
        if (cx == 0) cx = 1;
        v.cx = v.cx < 0 ? -cx : cx;
    } else if (sy > sx) {
        LONG cy = RoundToLong(sx * std::abs(w.cy));
        if (cy == 0) cy = 1;
        v.cy = v.cy < 0 ? -cy : cy;
    }
}

POINT DeviceContext::MoveTo(POINT p) {
    POINT old = state_.currentPos;
    state_.currentPos = p;
    StateChanged(DcChange::Position);
    return old;
}

int DeviceContext::Save() {
    saved_.push_back(state_);
    return static_cast<int>(saved_.size());
}

void DeviceContext::ReleaseSelection(const DcState& s) {
    if (BitmapObject* b = FindBitmap(s.bitmap)) {
        // The bitmap stays selected only if some remaining state holds it.
        bool held = state_.bitmap == s.bitmap;
        for (const DcState& other : saved_) held = held || other.bitmap == s.bitmap;
        if (!held && b->SelectedInto() == handle_) b->SetSelectedInto(nullptr);
    }
}

bool DeviceContext::Restore(int level) {
    int depth = static_cast<int>(saved_.size());
    if (level < 0) level = depth + 1 + level;
    if (level < 1 || level > depth) return false;
    DcState previous = std::move(state_);
    state_ = std::move(saved_[static_cast<std::size_t>(level - 1)]);
    std::vector<DcState> dropped(std::make_move_iterator(saved_.begin() + (level - 1)),
                                 std::make_move_iterator(saved_.end()));
    saved_.resize(static_cast<std::size_t>(level - 1));
    // A restored bitmap that was deleted meanwhile is no longer there.
    if (state_.bitmap && !FindBitmap(state_.bitmap)) state_.bitmap = StockBitmap();
    if (BitmapObject* b = FindBitmap(state_.bitmap)) {
        if (!b->IsStock()) b->SetSelectedInto(handle_);
        BitmapSelected(b);
    }
    ReleaseSelection(previous);
    for (const DcState& d : dropped) ReleaseSelection(d);
    StateChanged(DcChange::Restore);
    ReleasePendingObjects();
    return true;
}

int DeviceContext::SelectClip(const Region* region, int mode) {
    if (mode == RGN_COPY) {
        if (!region) {
            state_.hasClip = false;
            state_.clip.SetEmpty();
        } else {
            state_.hasClip = true;
            state_.clip = *region;
        }
    } else {
        if (!region) return ERROR;
        Region base = state_.hasClip ? state_.clip : VisibleRegion();
        switch (mode) {
        case RGN_AND: base.IntersectWith(*region); break;
        case RGN_OR: base.UnionWith(*region); break;
        case RGN_XOR: base.XorWith(*region); break;
        case RGN_DIFF: base.Subtract(*region); break;
        default: return ERROR;
        }
        state_.hasClip = true;
        state_.clip = std::move(base);
    }
    StateChanged(DcChange::Clip);
    return RegionType(DrawableRegion());
}

int DeviceContext::IntersectClip(const RECT& logical) {
    Region r(ToDeviceRect(logical));
    return SelectClip(&r, RGN_AND);
}

int DeviceContext::ExcludeClip(const RECT& logical) {
    Region r(ToDeviceRect(logical));
    return SelectClip(&r, RGN_DIFF);
}

int DeviceContext::OffsetClip(int dx, int dy) {
    if (state_.hasClip) {
        POINT a = ToDevice(POINT{0, 0});
        POINT b = ToDevice(POINT{dx, dy});
        state_.clip.Offset(b.x - a.x, b.y - a.y);
        StateChanged(DcChange::Clip);
    }
    return RegionType(DrawableRegion());
}

Region DeviceContext::DrawableRegion() const {
    Region r = VisibleRegion();
    if (state_.hasClip) r.IntersectWith(state_.clip);
    return r;
}

int DeviceContext::ClipBox(RECT* logical) const {
    Region r = DrawableRegion();
    RECT b = r.Bounds();
    if (logical) *logical = r.IsEmpty() ? RECT{0, 0, 0, 0} : ToLogicalRect(b);
    return RegionType(r);
}

POINT DeviceContext::ToDevice(POINT p) const {
    const DcState& s = state_;
    if (s.windowExt.cx == s.viewportExt.cx && s.windowExt.cy == s.viewportExt.cy) {
        long long x = static_cast<long long>(p.x) - s.windowOrg.x + s.viewportOrg.x;
        long long y = static_cast<long long>(p.y) - s.windowOrg.y + s.viewportOrg.y;
        auto clampL = [](long long v) {
            return static_cast<LONG>(v > 2147483647LL ? 2147483647LL : (v < -2147483648LL ? -2147483648LL : v));
        };
        return POINT{clampL(x), clampL(y)};
    }
    double x = (static_cast<double>(p.x) - s.windowOrg.x) * s.viewportExt.cx / s.windowExt.cx + s.viewportOrg.x;
    double y = (static_cast<double>(p.y) - s.windowOrg.y) * s.viewportExt.cy / s.windowExt.cy + s.viewportOrg.y;
    return POINT{RoundToLong(x), RoundToLong(y)};
}

POINT DeviceContext::ToLogical(POINT p) const {
    const DcState& s = state_;
    double x = (static_cast<double>(p.x) - s.viewportOrg.x) * s.windowExt.cx / s.viewportExt.cx + s.windowOrg.x;
    double y = (static_cast<double>(p.y) - s.viewportOrg.y) * s.windowExt.cy / s.viewportExt.cy + s.windowOrg.y;
    return POINT{RoundToLong(x), RoundToLong(y)};
}

RECT DeviceContext::ToDeviceRect(const RECT& r) const {
    POINT a = ToDevice(POINT{r.left, r.top});
    POINT b = ToDevice(POINT{r.right, r.bottom});
    return RECT{a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.x < b.x ? b.x : a.x, a.y < b.y ? b.y : a.y};
}

RECT DeviceContext::ToLogicalRect(const RECT& r) const {
    POINT a = ToLogical(POINT{r.left, r.top});
    POINT b = ToLogical(POINT{r.right, r.bottom});
    return RECT{a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.x < b.x ? b.x : a.x, a.y < b.y ? b.y : a.y};
}

int DeviceContext::ScaleWidth(int logical) const {
    double v = std::fabs(static_cast<double>(logical) * state_.viewportExt.cx / state_.windowExt.cx);
    return RoundToLong(v);
}

int DeviceContext::ScaleHeight(int logical) const {
    double v = std::fabs(static_cast<double>(logical) * state_.viewportExt.cy / state_.windowExt.cy);
    return RoundToLong(v);
}

bool DeviceContext::IsIdentityMapping() const {
    const DcState& s = state_;
    return s.windowExt.cx == s.viewportExt.cx && s.windowExt.cy == s.viewportExt.cy &&
           s.windowOrg.x == s.viewportOrg.x && s.windowOrg.y == s.viewportOrg.y;
}

int DeviceContext::DeviceCaps(int index) const {
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case BITSPIXEL: return IsMonochrome() ? 1 : 32;
    case PLANES: return 1;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case RASTERCAPS: return RC_BITBLT | RC_STRETCHBLT | RC_DI_BITMAP;
    case NUMCOLORS: return -1;
    case SIZEPALETTE: return 0;
    case DRIVERVERSION: return 0x4000;
    default: return 0;
    }
}

BOOL DeviceContext::Polyline(const POINT*, int) { return FALSE; }
BOOL DeviceContext::PolyPolygon(const POINT*, const INT*, int) { return FALSE; }
BOOL DeviceContext::Rectangle(const RECT&) { return FALSE; }
BOOL DeviceContext::Ellipse(const RECT&) { return FALSE; }
BOOL DeviceContext::PatBlt(const RECT&, HBRUSH, DWORD) { return FALSE; }
BOOL DeviceContext::FillRegion(const Region&, HBRUSH, DWORD) { return FALSE; }
BOOL DeviceContext::StretchBlt(const BltRect&, DeviceContext*, const BltRect&, DWORD) { return FALSE; }
BOOL DeviceContext::MaskBlt(const BltRect&, DeviceContext*, POINT, BitmapObject*, POINT, DWORD) { return FALSE; }
BOOL DeviceContext::TransparentBlt(const BltRect&, DeviceContext*, const BltRect&, COLORREF) { return FALSE; }
COLORREF DeviceContext::SetPixel(POINT, COLORREF) { return CLR_INVALID; }
COLORREF DeviceContext::GetPixel(POINT) { return CLR_INVALID; }
BOOL DeviceContext::ExtTextOut(int, int, UINT, const RECT*, std::string_view, const INT*) { return FALSE; }

HandleTable<DeviceContext>& DeviceContexts() {
    static HandleTable<DeviceContext> table(HandleKind::DeviceContext);
    return table;
}

HDC RegisterDC(std::unique_ptr<DeviceContext> dc) {
    if (!dc) return nullptr;
    DeviceContext* raw = dc.get();
    HDC h = ToHandle<HDC>(DeviceContexts().Add(std::move(dc)));
    raw->handle_ = h;
    // A memory DC's first bitmap needs the handle to be known.
    if (raw->CanSelectBitmap()) {
        raw->state_.bitmap = nullptr;
        raw->Select(StockBitmap());
    }
    return h;
}

DeviceContext* FindDC(HDC dc) { return DeviceContexts().Get(FromHandle(dc)); }

bool DestroyDC(HDC hdc) {
    std::unique_ptr<DeviceContext> dc = DeviceContexts().Remove(FromHandle(hdc));
    if (!dc) return false;
    dc.reset();
    // Bitmaps held by the current or a saved state become free again.
    Objects().ForEach([&](std::uintptr_t, GdiObject* o) {
        if (o->Type() != OBJ_BITMAP) return;
        auto* b = static_cast<BitmapObject*>(o);
        if (b->SelectedInto() == hdc) b->SetSelectedInto(nullptr);
    });
    ReleasePendingObjects();
    return true;
}

bool DeviceContext::Holds(HGDIOBJ object) const {
    if (HoldsObject(state_, object)) return true;
    // Saved states count too: RestoreDC would select the object again.
    for (const DcState& s : saved_)
        if (HoldsObject(s, object)) return true;
    return false;
}

bool IsObjectSelected(HGDIOBJ object) {
    bool found = false;
    DeviceContexts().ForEach([&](std::uintptr_t, DeviceContext* dc) { found = found || dc->Holds(object); });
    return found;
}

DcStateSaver::DcStateSaver(HDC dc) : dc_(dc), level_(0) {
    if (DeviceContext* d = FindDC(dc)) level_ = d->Save();
}

DcStateSaver::~DcStateSaver() {
    if (level_ == 0) return;
    if (DeviceContext* d = FindDC(dc_)) d->Restore(level_);
}

}  // namespace win32::gdi
