// GDI objects: the things behind HPEN, HBRUSH, HBITMAP, HRGN, HFONT and
// HPALETTE. All of them live in one handle table, so every HGDIOBJ is a key
// of it and GetObjectType can tell the kinds apart. A new kind of object
// (fonts live in their own module) derives from GdiObject, reports its
// OBJ_ type and answers GetObjectA; AddObject gives it a handle.
#pragma once

#include <memory>
#include <vector>

#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/wingdi.h"
#include "platform/handle_table.h"
#include "platform/windef.h"

namespace win32::gdi {

class GdiObject {
public:
    explicit GdiObject(DWORD type) : type_(type) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    // OBJ_PEN, OBJ_BRUSH, OBJ_BITMAP, OBJ_REGION, OBJ_FONT, OBJ_PAL.
    DWORD Type() const { return type_; }

    // Stock objects survive DeleteObject.
    bool IsStock() const { return stock_; }
    void MarkStock() { stock_ = true; }

    // DeleteObject on an object still selected into a device context is
    // deferred until no context holds it any more.
    bool DeletePending() const { return deletePending_; }
    void SetDeletePending() { deletePending_ = true; }

    // GetObjectA: copies the object's description into `buffer` (at most
    // `size` bytes) and returns the bytes copied; with a null buffer returns
    // the size needed. 0 on failure.
    virtual int Describe(int size, void* buffer) const = 0;

private:
    DWORD type_;
    bool stock_ = false;
    bool deletePending_ = false;
};

class PenObject : public GdiObject {
public:
    explicit PenObject(const LOGPEN& pen, bool followsDcColor = false)
        : GdiObject(OBJ_PEN), pen_(pen), followsDcColor_(followsDcColor) {}
    const LOGPEN& Pen() const { return pen_; }
    int Style() const { return static_cast<int>(pen_.lopnStyle & PS_STYLE_MASK); }
    int Width() const { return pen_.lopnWidth.x; }
    // The stock DC_PEN takes the device context's pen colour.
    bool FollowsDcColor() const { return followsDcColor_; }
    int Describe(int size, void* buffer) const override;

private:
    LOGPEN pen_;
    bool followsDcColor_;
};

class BitmapObject;

class BrushObject : public GdiObject {
public:
    enum class Source { Fixed, DcColor, SysColor };

    static std::unique_ptr<BrushObject> Solid(COLORREF color);
    static std::unique_ptr<BrushObject> Null();
    static std::unique_ptr<BrushObject> Hatched(int hatch, COLORREF color);
    // Copies the bitmap's pixels: the brush keeps its pattern even when the
    // bitmap is deleted, as in Win32.
    static std::unique_ptr<BrushObject> Pattern(const BitmapObject& bitmap);
    static std::unique_ptr<BrushObject> SysColor(int index);
    static std::unique_ptr<BrushObject> DcBrush();

    UINT Style() const { return style_; }
    COLORREF Color() const { return color_; }
    int Hatch() const { return hatch_; }
    Source ColorSource() const { return source_; }
    int SysColorIndex() const { return sysIndex_; }
    const Surface& PatternPixels() const { return pattern_; }
    bool PatternIsMonochrome() const { return patternMono_; }
    int Describe(int size, void* buffer) const override;

private:
    BrushObject() : GdiObject(OBJ_BRUSH) {}
    UINT style_ = BS_SOLID;
    COLORREF color_ = 0;
    int hatch_ = 0;
    Source source_ = Source::Fixed;
    int sysIndex_ = -1;
    Surface pattern_;
    bool patternMono_ = false;
};

// A bitmap: 32-bit colour or 1-bit monochrome. Both keep their pixels in a
// Surface; a monochrome bitmap holds only 0x000000 and 0xFFFFFF, which
// keeps every raster operation closed over the two values.
class BitmapObject : public GdiObject {
public:
    BitmapObject(int width, int height, bool monochrome);
    // A DIB section: the pixels live in memory the caller also sees, in
    // rows from the top (topDown) or from the bottom.
    static std::unique_ptr<BitmapObject> DibSection(int width, int height, bool topDown);

    Surface& Pixels() { return surface_; }
    const Surface& Pixels() const { return surface_; }
    int Width() const { return surface_.Width(); }
    int Height() const { return surface_.Height(); }
    bool IsMonochrome() const { return mono_; }
    bool IsDibSection() const { return !dibMemory_.empty(); }
    void* DibBits() { return dibMemory_.empty() ? nullptr : dibMemory_.data(); }
    bool DibTopDown() const { return topDown_; }

    // The memory DC the bitmap is selected into (a bitmap is in at most one).
    HDC SelectedInto() const { return selectedInto_; }
    void SetSelectedInto(HDC dc) { selectedInto_ = dc; }

    SIZE Dimension() const { return dimension_; }
    void SetDimension(SIZE s) { dimension_ = s; }

    int Describe(int size, void* buffer) const override;

private:
    Surface surface_;
    bool mono_;
    std::vector<Pixel> dibMemory_;
    bool topDown_ = true;
    HDC selectedInto_ = nullptr;
    SIZE dimension_{0, 0};
};

class RegionObject : public GdiObject {
public:
    RegionObject() : GdiObject(OBJ_REGION) {}
    explicit RegionObject(Region r) : GdiObject(OBJ_REGION), region_(std::move(r)) {}
    Region& Value() { return region_; }
    const Region& Value() const { return region_; }
    int Describe(int size, void* buffer) const override;

private:
    Region region_;
};

class PaletteObject : public GdiObject {
public:
    PaletteObject() : GdiObject(OBJ_PAL) {}
    int Describe(int size, void* buffer) const override;
};

// The table of all GDI objects.
HandleTable<GdiObject>& Objects();
HGDIOBJ AddObject(std::unique_ptr<GdiObject> object);
GdiObject* FindObject(HGDIOBJ handle);

template <class T>
T* FindObjectAs(HGDIOBJ handle, DWORD type) {
    GdiObject* o = FindObject(handle);
    return (o && o->Type() == type) ? static_cast<T*>(o) : nullptr;
}
inline PenObject* FindPen(HGDIOBJ h) { return FindObjectAs<PenObject>(h, OBJ_PEN); }
inline BrushObject* FindBrush(HGDIOBJ h) { return FindObjectAs<BrushObject>(h, OBJ_BRUSH); }
inline BitmapObject* FindBitmap(HGDIOBJ h) { return FindObjectAs<BitmapObject>(h, OBJ_BITMAP); }
inline RegionObject* FindRegion(HGDIOBJ h) { return FindObjectAs<RegionObject>(h, OBJ_REGION); }

// Deletes every object whose deletion was deferred and that no device
// context holds any more; called after a context lets go of objects.
void ReleasePendingObjects();

// The 1 x 1 monochrome bitmap every new memory DC starts with.
HBITMAP StockBitmap();

// The stock fonts come from the font module; it returns null for an index
// it does not provide.
std::unique_ptr<GdiObject> CreateStockFont(int stockIndex);

// The system colour behind COLOR_* indices (the window system's table).
COLORREF SystemColor(int index);

}  // namespace win32::gdi
