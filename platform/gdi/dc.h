// The device context: all the state Win32 keeps per HDC (selected objects,
// colours, modes, brush origin, the logical-to-device mapping, the current
// position, the clip region, the SaveDC stack) and the drawing operations,
// which are virtual so that each kind of device draws in its own way:
//
//   SurfaceDC   rasterises into a Surface (memory DCs with a selected
//               bitmap, and window DCs bound by the window system);
//   metafile    records the operations for replay;
//   printer     renders pages.
//
// The drawing methods take logical coordinates, exactly as the C functions
// received them; a device converts with ToDevice. The C functions of
// wingdi.h look the handle up and call these methods; a stale handle makes
// them fail with 0/FALSE.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/wingdi.h"
#include "platform/windef.h"

namespace win32::gdi {

// One saved set of state. Clip is in device coordinates.
struct DcState {
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;
    HPALETTE palette = nullptr;

    COLORREF textColor = 0x000000;
    COLORREF bkColor = 0xFFFFFF;
    COLORREF dcBrushColor = 0xFFFFFF;
    COLORREF dcPenColor = 0x000000;
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int polyFillMode = ALTERNATE;
    int stretchMode = BLACKONWHITE;
    UINT textAlign = 0;
    int textCharacterExtra = 0;
    POINT brushOrg{0, 0};

    int mapMode = MM_TEXT;
    POINT windowOrg{0, 0};
    POINT viewportOrg{0, 0};
    SIZE windowExt{1, 1};
    SIZE viewportExt{1, 1};

    POINT currentPos{0, 0};

    bool hasClip = false;
    Region clip;
};

// What a state change touched, for devices that record state (metafiles).
enum class DcChange { Pen, Brush, Font, Bitmap, Palette, Colors, Modes, BrushOrigin, Mapping, Position, Clip, Restore };

// A blit rectangle as the C functions give it: origin and signed extent.
struct BltRect {
    int x;
    int y;
    int width;
    int height;
};

class DeviceContext {
public:
    DeviceContext();
    virtual ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    // OBJ_DC, OBJ_MEMDC, OBJ_ENHMETADC.
    virtual DWORD Type() const = 0;
    // Contexts their creator deletes with DeleteDC: memory DCs and printer
    // DCs. Window DCs go back to the window system, metafile DCs are closed.
    virtual bool DeletableByDeleteDC() const { return Type() == OBJ_MEMDC; }
    HDC Handle() const { return handle_; }

    // ---- State --------------------------------------------------------
    const DcState& State() const { return state_; }

    // SelectObject for pens, brushes, fonts, bitmaps and palettes; returns
    // the previous object or null when the object cannot be selected here.
    // Regions go through SelectClip.
    HGDIOBJ Select(HGDIOBJ object);

    COLORREF SetTextColor(COLORREF c);
    COLORREF SetBkColor(COLORREF c);
    COLORREF SetDcBrushColor(COLORREF c);
    COLORREF SetDcPenColor(COLORREF c);
    int SetBkMode(int mode);
    int SetRop2(int rop2);
    int SetPolyFillMode(int mode);
    int SetStretchMode(int mode);
    UINT SetTextAlign(UINT align);
    int SetTextCharacterExtra(int extra);
    POINT SetBrushOrg(POINT org);

    int SetMapMode(int mode);
    POINT SetWindowOrg(POINT org);
    POINT SetViewportOrg(POINT org);
    // False when the extent cannot be set (fixed map modes, zero extents).
    bool SetWindowExt(SIZE ext, SIZE* old);
    bool SetViewportExt(SIZE ext, SIZE* old);

    POINT MoveTo(POINT p);

    // SaveDC / RestoreDC: Save returns the new depth (0 on failure);
    // Restore takes a depth (1-based) or a negative count back from the top.
    int Save();
    bool Restore(int level);
    int SaveDepth() const { return static_cast<int>(saved_.size()); }
    // True when the current or a saved state holds the object.
    bool Holds(HGDIOBJ object) const;

    // Clip region in device coordinates; `region` null means no clip.
    // Returns NULLREGION/SIMPLEREGION/COMPLEXREGION of the result or ERROR.
    int SelectClip(const Region* region, int mode);
    int IntersectClip(const RECT& logical);
    int ExcludeClip(const RECT& logical);
    int OffsetClip(int dx, int dy);
    // Bounds of what can be drawn (clip within the device's visible area),
    // in logical coordinates; returns the region type.
    int ClipBox(RECT* logical) const;
    // The drawable area in device coordinates: the visible region narrowed
    // by the clip region.
    Region DrawableRegion() const;

    // ---- Mapping -------------------------------------------------------
    POINT ToDevice(POINT logical) const;
    POINT ToLogical(POINT device) const;
    // A rectangle's corners mapped; the result is normalised so that left <
    // right and top < bottom (a mirrored mapping still fills the area).
    RECT ToDeviceRect(const RECT& logical) const;
    RECT ToLogicalRect(const RECT& device) const;
    // A length along x or y in device units (absolute value).
    int ScaleWidth(int logical) const;
    int ScaleHeight(int logical) const;
    bool IsIdentityMapping() const;

    // ---- Device description -------------------------------------------
    virtual int DeviceCaps(int index) const;
    // The device's drawable area in device coordinates (a window's visible
    // region, a bitmap's bounds, a page).
    virtual Region VisibleRegion() const = 0;
    virtual bool IsMonochrome() const { return false; }
    // The pixels behind the device, when it has any, with the surface
    // position of device point (0, 0): what BitBlt reads from a source DC.
    virtual Surface* PixelSurface() { return nullptr; }
    virtual POINT SurfaceOrigin() const { return POINT{0, 0}; }

    // ---- Drawing (logical coordinates) --------------------------------
    virtual BOOL Polyline(const POINT* points, int count);
    virtual BOOL PolyPolygon(const POINT* points, const INT* counts, int polygons);
    virtual BOOL Rectangle(const RECT& r);
    virtual BOOL Ellipse(const RECT& r);
    // PatBlt, FillRect, InvertRect: `brush` is the brush to use (the
    // selected one for PatBlt), rop a ternary operation code.
    virtual BOOL PatBlt(const RECT& r, HBRUSH brush, DWORD rop);
    virtual BOOL FillRegion(const Region& logical, HBRUSH brush, DWORD rop);
    virtual BOOL StretchBlt(const BltRect& dst, DeviceContext* src, const BltRect& srcRect, DWORD rop);
    virtual BOOL MaskBlt(const BltRect& dst, DeviceContext* src, POINT srcOrg, BitmapObject* mask, POINT maskOrg,
                         DWORD rop4);
    virtual BOOL TransparentBlt(const BltRect& dst, DeviceContext* src, const BltRect& srcRect, COLORREF key);
    virtual COLORREF SetPixel(POINT p, COLORREF color);
    virtual COLORREF GetPixel(POINT p);

    // Text output at the ExtTextOut level with the selected font already
    // resolved by the caller; `text` is UTF-8. The font module implements
    // it for surface DCs, the metafile records it.
    virtual BOOL ExtTextOut(int x, int y, UINT options, const RECT* rect, std::string_view text, const INT* dx);

protected:
    // Called after every change of state, with what changed.
    virtual void StateChanged(DcChange) {}
    // A memory DC binds its pixels to the bitmap it selects.
    virtual bool CanSelectBitmap() const { return false; }
    virtual void BitmapSelected(BitmapObject*) {}
    DcState& MutableState() { return state_; }
    // Resets everything to the defaults of a new DC (stock objects etc.).
    void ResetState();

private:
    friend HDC RegisterDC(std::unique_ptr<DeviceContext> dc);
    void AdjustIsotropic();
    void ReleaseSelection(const DcState& s);

    HDC handle_ = nullptr;
    DcState state_;
    std::vector<DcState> saved_;
};

// The table of device contexts.
HandleTable<DeviceContext>& DeviceContexts();
// Adds a device context and returns its handle.
HDC RegisterDC(std::unique_ptr<DeviceContext> dc);
DeviceContext* FindDC(HDC dc);
// Destroys a device context, releasing what it had selected.
bool DestroyDC(HDC dc);
// True when any live or saved state of any DC holds the object.
bool IsObjectSelected(HGDIOBJ object);

// A guard that saves a DC and restores it on every way out.
class DcStateSaver {
public:
    explicit DcStateSaver(HDC dc);
    ~DcStateSaver();
    DcStateSaver(const DcStateSaver&) = delete;
    DcStateSaver& operator=(const DcStateSaver&) = delete;

private:
    HDC dc_;
    int level_;
};

}  // namespace win32::gdi
