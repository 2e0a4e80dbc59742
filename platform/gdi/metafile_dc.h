// The recording device context of CreateEnhMetaFileA. It draws nothing: each
// operation becomes a typed record in device units of the reference device,
// preceded by records of whatever state changed since the last one. Text is
// placed here, with this device's fonts and alignment, so its replay puts
// every character where it was recorded whatever the target's resolution.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/gdi/dc.h"
#include "platform/gdi/metafile_records.h"

namespace win32::gdi {

class MetafileDC : public DeviceContext {
public:
    // `caps` are the reference device's GetDeviceCaps answers (index 0 to
    // kCapsCount - 1); `frame` in 0.01 mm, or none to take the drawing's
    // bounds.
    static constexpr int kCapsCount = 128;
    MetafileDC(const std::array<int, kCapsCount>& caps, std::optional<RECT> frame, std::string description,
               std::string fileName);

    DWORD Type() const override { return OBJ_ENHMETADC; }
    Region VisibleRegion() const override;
    int DeviceCaps(int index) const override;
    const std::string& FileName() const { return fileName_; }

    // Finishes the recording: the header's bounds and frame are settled.
    emf::Metafile Finish();

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

private:
    // Emits the state records a drawing record needs; `brush` is the brush
    // the operation paints with.
    void Sync(HBRUSH brush);
    void Add(emf::Record record, const RECT& deviceBounds);
    BltRect ToDeviceBlt(const BltRect& b) const;

    std::array<int, kCapsCount> caps_;
    std::optional<RECT> frame_;
    std::string description_;
    std::string fileName_;
    emf::Metafile data_;
    RECT bounds_{0, 0, 0, 0};
    bool anyBounds_ = false;

    // What the records emitted so far have set.
    std::optional<emf::SelectFont> font_;
    std::optional<emf::SelectPen> pen_;
    std::optional<emf::SelectBrush> brush_;
    std::optional<emf::SetColors> colors_;
    std::optional<emf::SetModes> modes_;
    std::optional<emf::SetBrushOrg> brushOrg_;
    std::optional<emf::SetClip> clip_;
};

MetafileDC* FindMetafileDC(HDC dc);

// Captures the pixels of `device` (a rectangle in device coordinates of a DC
// with pixels); parts outside its surface read as black.
emf::Bits CaptureBits(DeviceContext& dc, const RECT& device);

// Whether a ternary raster operation reads its source.
constexpr bool RopUsesSource(DWORD rop) { return ((((rop >> 2) ^ rop) & 0x00330000u) != 0); }

}  // namespace win32::gdi
