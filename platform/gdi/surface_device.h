// The device context that rasterises into a Surface: memory DCs draw into
// their selected bitmap, window DCs into the part of a top-level window's
// backing surface the window system bound them to.
//
// Internally everything is converted to device coordinates first, then to
// surface coordinates (device + origin), and clipped against the effective
// clip: the visible region, narrowed by the DC's clip region, within the
// surface. Every pixel written marks the surface dirty.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/dc.h"

namespace win32::gdi {

// What a fill paints with, already in the target's pixel format: a solid
// colour (a 1 x 1 pattern) or a tiled pattern anchored at the brush origin
// (device coordinates). A mask marks the pattern pixels that paint (the
// background of a hatched brush in TRANSPARENT mode does not).
struct Ink {
    bool none = true;
    int width = 1;
    int height = 1;
    std::vector<Pixel> pixels;
    std::vector<std::uint8_t> mask;
    POINT origin{0, 0};

    bool IsSolid() const { return !none && width == 1 && height == 1 && mask.empty(); }
    static Ink Solid(Pixel p) {
        Ink i;
        i.none = false;
        i.pixels.assign(1, p);
        return i;
    }
};

// A horizontal run of pixels [x0, x1) on row y, device coordinates.
struct Span {
    int y;
    int x0;
    int x1;
};

class SurfaceDC : public DeviceContext {
public:
    enum class Kind { Window, Memory };
    explicit SurfaceDC(Kind kind);

    DWORD Type() const override { return kind_ == Kind::Memory ? OBJ_MEMDC : OBJ_DC; }
    Region VisibleRegion() const override;
    bool IsMonochrome() const override { return mono_; }
    Surface* PixelSurface() override { return surface_; }
    POINT SurfaceOrigin() const override { return origin_; }
    int DeviceCaps(int index) const override;

    // Window DCs: the window system points the DC at a surface.
    void Bind(Surface* surface, POINT origin, const Region& visible);
    void Reset();

    BOOL Polyline(const POINT* points, int count) override;
    BOOL PolyPolygon(const POINT* points, const INT* counts, int polygons) override;
    BOOL Rectangle(const RECT& r) override;
    BOOL Ellipse(const RECT& r) override;
    BOOL PatBlt(const RECT& r, HBRUSH brush, DWORD rop) override;
    BOOL FillRegion(const Region& logical, HBRUSH brush, DWORD rop) override;
    BOOL StretchBlt(const BltRect& dst, DeviceContext* src, const BltRect& srcRect, DWORD rop) override;
    BOOL MaskBlt(const BltRect& dst, DeviceContext* src, POINT srcOrg, BitmapObject* mask, POINT maskOrg,
                 DWORD rop4) override;
    BOOL TransparentBlt(const BltRect& dst, DeviceContext* src, const BltRect& srcRect, COLORREF key) override;
    COLORREF SetPixel(POINT p, COLORREF color) override;
    COLORREF GetPixel(POINT p) override;
    BOOL ExtTextOut(int x, int y, UINT options, const RECT* rect, std::string_view text, const INT* dx) override;

    // ---- Raster helpers, in device coordinates (also for the text module)
    // The effective clip in surface coordinates.
    const Region& SurfaceClip();
    // A colour in the target's format (nearest of black and white on a
    // monochrome target).
    Pixel TargetPixel(COLORREF c) const;
    COLORREF ColorOfPixel(Pixel p) const { return ColorFromPixel(p); }
    // The ink of a brush for this DC (its colours, mode and origin).
    Ink BrushInk(HBRUSH brush) const;
    void PaintRect(const RECT& device, const Ink& ink, std::uint8_t rop);
    void PaintSpans(const std::vector<Span>& spans, const Ink& ink, std::uint8_t rop);

protected:
    bool CanSelectBitmap() const override { return kind_ == Kind::Memory; }
    void BitmapSelected(BitmapObject* bitmap) override;
    void StateChanged(DcChange change) override;

private:
    void PaintPiece(const RECT& surf, const Ink& ink, std::uint8_t rop);
    void StrokePolyline(const POINT* device, int count, bool closed);

    Kind kind_;
    Surface* surface_ = nullptr;
    POINT origin_{0, 0};
    Region visible_;  // surface coordinates
    bool mono_ = false;
    Region clipCache_;
    bool clipValid_ = false;
    std::vector<Pixel> rowBuffer_;
};

// The SurfaceDC behind a handle, or null.
SurfaceDC* FindSurfaceDC(HDC dc);

// The screen size that memory and window DCs report (HORZRES, VERTRES).
void SetScreenSize(int width, int height);

}  // namespace win32::gdi
