#include "platform/gdi/gdi_object.h"

#include <array>
#include <cstring>

#include "platform/gdi/dc.h"

namespace win32::gdi {

namespace {

int CopyOut(const void* data, int bytes, int size, void* buffer) {
    if (!buffer) return bytes;
    if (size <= 0) return 0;
    int n = size < bytes ? size : bytes;
    std::memcpy(buffer, data, static_cast<std::size_t>(n));
    return n;
}

std::vector<HGDIOBJ>& PendingDeletes() {
    static std::vector<HGDIOBJ> pending;
    return pending;
}

}  // namespace

int PenObject::Describe(int size, void* buffer) const { return CopyOut(&pen_, sizeof(LOGPEN), size, buffer); }

std::unique_ptr<BrushObject> BrushObject::Solid(COLORREF color) {
    std::unique_ptr<BrushObject> b(new BrushObject());
    b->style_ = BS_SOLID;
    b->color_ = color & 0x00FFFFFF;
    return b;
}

std::unique_ptr<BrushObject> BrushObject::Null() {
    std::unique_ptr<BrushObject> b(new BrushObject());
    b->style_ = BS_NULL;
    return b;
}

std::unique_ptr<BrushObject> BrushObject::Hatched(int hatch, COLORREF color) {
    std::unique_ptr<BrushObject> b(new BrushObject());
    b->style_ = BS_HATCHED;
    b->color_ = color & 0x00FFFFFF;
    b->hatch_ = hatch;
    return b;
}

std::unique_ptr<BrushObject> BrushObject::Pattern(const BitmapObject& bitmap) {
    std::unique_ptr<BrushObject> b(new BrushObject());
    b->style_ = BS_PATTERN;
    const Surface& src = bitmap.Pixels();
    b->pattern_.Resize(src.Width(), src.Height());
    for (int y = 0; y < src.Height(); ++y)
        for (int x = 0; x < src.Width(); ++x) b->pattern_.Set(x, y, src.At(x, y));
    b->patternMono_ = bitmap.IsMonochrome();
    return b;
}

std::unique_ptr<BrushObject> BrushObject::SysColor(int index) {
    std::unique_ptr<BrushObject> b(new BrushObject());
    b->style_ = BS_SOLID;
    b->source_ = Source::SysColor;
    b->sysIndex_ = index;
    return b;
}

std::unique_ptr<BrushObject> BrushObject::DcBrush() {
    std::unique_ptr<BrushObject> b(new BrushObject());
    b->style_ = BS_SOLID;
    b->source_ = Source::DcColor;
    return b;
}

int BrushObject::Describe(int size, void* buffer) const {
    LOGBRUSH lb{style_, color_, static_cast<ULONG_PTR>(hatch_)};
    if (source_ == Source::SysColor) lb.lbColor = SystemColor(sysIndex_);
    if (style_ == BS_PATTERN) lb.lbHatch = 0;
    return CopyOut(&lb, sizeof(lb), size, buffer);
}

BitmapObject::BitmapObject(int width, int height, bool monochrome)
    : GdiObject(OBJ_BITMAP), surface_(width, height), mono_(monochrome) {}

std::unique_ptr<BitmapObject> BitmapObject::DibSection(int width, int height, bool topDown) {
    auto b = std::make_unique<BitmapObject>(0, 0, false);
    b->dibMemory_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    b->topDown_ = topDown;
    Pixel* base = b->dibMemory_.data();
    if (topDown) {
        b->surface_ = Surface(width, height, base, width);
    } else {
        // Row 0 of the surface is the last row in memory.
        b->surface_ = Surface(width, height, base + static_cast<std::ptrdiff_t>(height - 1) * width, -width);
    }
    return b;
}

int BitmapObject::Describe(int size, void* buffer) const {
    BITMAP bm{};
    bm.bmType = 0;
    bm.bmWidth = Width();
    bm.bmHeight = Height();
    bm.bmPlanes = 1;
    bm.bmBitsPixel = mono_ ? 1 : 32;
    bm.bmWidthBytes = mono_ ? ((Width() + 15) / 16) * 2 : Width() * 4;
    if (IsDibSection()) {
        bm.bmBits = const_cast<Pixel*>(dibMemory_.data());
        if (buffer && size >= static_cast<int>(sizeof(DIBSECTION))) {
            DIBSECTION ds{};
            ds.dsBm = bm;
            ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
            ds.dsBmih.biWidth = Width();
            ds.dsBmih.biHeight = topDown_ ? -Height() : Height();
            ds.dsBmih.biPlanes = 1;
            ds.dsBmih.biBitCount = 32;
            ds.dsBmih.biCompression = BI_RGB;
            ds.dsBmih.biSizeImage = static_cast<DWORD>(Width() * Height() * 4);
            return CopyOut(&ds, sizeof(ds), size, buffer);
        }
    }
    return CopyOut(&bm, sizeof(bm), size, buffer);
}

int RegionObject::Describe(int, void*) const { return 0; }
int PaletteObject::Describe(int size, void* buffer) const {
    WORD entries = 20;
    return CopyOut(&entries, sizeof(entries), size, buffer);
}

HandleTable<GdiObject>& Objects() {
    static HandleTable<GdiObject> table(HandleKind::GdiObject);
    return table;
}

HGDIOBJ AddObject(std::unique_ptr<GdiObject> object) {
    if (!object) return nullptr;
    return ToHandle<HGDIOBJ>(Objects().Add(std::move(object)));
}

GdiObject* FindObject(HGDIOBJ handle) { return Objects().Get(FromHandle(handle)); }

void ReleasePendingObjects() {
    auto& pending = PendingDeletes();
    for (std::size_t i = 0; i < pending.size();) {
        if (!FindObject(pending[i])) {
            pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(i));
        } else if (!IsObjectSelected(pending[i])) {
            Objects().Remove(FromHandle(pending[i]));
            pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

namespace {

HGDIOBJ MakeStock(std::unique_ptr<GdiObject> o) {
    if (!o) return nullptr;
    o->MarkStock();
    return AddObject(std::move(o));
}

HGDIOBJ MakeStockPen(int style, COLORREF color, bool dc = false) {
    return MakeStock(std::make_unique<PenObject>(LOGPEN{static_cast<UINT>(style), POINT{0, 0}, color}, dc));
}

HGDIOBJ CreateStock(int index) {
    switch (index) {
    case WHITE_BRUSH: return MakeStock(BrushObject::Solid(0xFFFFFF));
    case LTGRAY_BRUSH: return MakeStock(BrushObject::Solid(0xC0C0C0));
    case GRAY_BRUSH: return MakeStock(BrushObject::Solid(0x808080));
    case DKGRAY_BRUSH: return MakeStock(BrushObject::Solid(0x404040));
    case BLACK_BRUSH: return MakeStock(BrushObject::Solid(0x000000));
    case NULL_BRUSH: return MakeStock(BrushObject::Null());
    case WHITE_PEN: return MakeStockPen(PS_SOLID, 0xFFFFFF);
    case BLACK_PEN: return MakeStockPen(PS_SOLID, 0x000000);
    case NULL_PEN: return MakeStockPen(PS_NULL, 0x000000);
    case DEFAULT_PALETTE: return MakeStock(std::make_unique<PaletteObject>());
    case DC_BRUSH: return MakeStock(BrushObject::DcBrush());
    case DC_PEN: return MakeStockPen(PS_SOLID, 0x000000, true);
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case SYSTEM_FIXED_FONT:
    case DEFAULT_GUI_FONT: return MakeStock(CreateStockFont(index));
    default: return nullptr;
    }
}

}  // namespace

HBITMAP StockBitmap() {
    static HGDIOBJ bitmap = MakeStock(std::make_unique<BitmapObject>(1, 1, true));
    return static_cast<HBITMAP>(bitmap);
}

}  // namespace win32::gdi

namespace win32 {

using namespace gdi;

HGDIOBJ GetStockObject(int index) {
    static std::array<HGDIOBJ, DC_PEN + 1> stock{};
    if (index < 0 || index > DC_PEN) return nullptr;
    // Re-create when missing (the font module may not have provided it yet).
    if (!stock[index] || !FindObject(stock[index])) stock[index] = CreateStock(index);
    return stock[index];
}

BOOL DeleteObject(HGDIOBJ object) {
    GdiObject* o = FindObject(object);
    if (!o) return FALSE;
    if (o->IsStock()) return TRUE;
    if (IsObjectSelected(object)) {
        if (!o->DeletePending()) {
            o->SetDeletePending();
            PendingDeletes().push_back(object);
        }
        return TRUE;
    }
    Objects().Remove(FromHandle(object));
    return TRUE;
}

DWORD GetObjectType(HGDIOBJ object) {
    if (GdiObject* o = FindObject(object)) return o->Type();
    if (DeviceContext* dc = FindDC(static_cast<HDC>(object))) return dc->Type();
    return 0;
}

int GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
    GdiObject* o = FindObject(object);
    if (!o) return 0;
    if (size < 0) return 0;
    return o->Describe(size, buffer);
}

HPEN CreatePen(int style, int width, COLORREF color) {
    int s = style & PS_STYLE_MASK;
    if (s > PS_INSIDEFRAME) return nullptr;
    if (width < 0) width = 0;
    LOGPEN lp{static_cast<UINT>(style), POINT{width, 0}, color & 0x00FFFFFF};
    return static_cast<HPEN>(AddObject(std::make_unique<PenObject>(lp)));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
    if (!pen) return nullptr;
    return CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF color) { return static_cast<HBRUSH>(AddObject(BrushObject::Solid(color))); }

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
    return static_cast<HBRUSH>(AddObject(BrushObject::Hatched(hatch, color)));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    BitmapObject* b = FindBitmap(bitmap);
    if (!b || b->Width() <= 0 || b->Height() <= 0) return nullptr;
    return static_cast<HBRUSH>(AddObject(BrushObject::Pattern(*b)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush) return nullptr;
    switch (brush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(brush->lbColor);
    case BS_NULL: return static_cast<HBRUSH>(AddObject(BrushObject::Null()));
    case BS_HATCHED: return CreateHatchBrush(static_cast<int>(brush->lbHatch), brush->lbColor);
    case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    default: return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    DeviceContext* dc = FindDC(hdc);
    if (!dc) return nullptr;
    const DcState& s = dc->State();
    switch (type) {
    case OBJ_PEN: return s.pen;
    case OBJ_BRUSH: return s.brush;
    case OBJ_FONT: return s.font;
    case OBJ_BITMAP: return s.bitmap;
    case OBJ_PAL: return s.palette;
    default: return nullptr;
    }
}

BOOL GdiFlush() { return TRUE; }

}  // namespace win32
