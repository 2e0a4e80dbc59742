// ExtTextOut on surface DCs: the text is placed by the DC's alignment and
// mapping, its background painted as the options and background mode ask,
// and its glyphs composed in the text colour inside the effective clip.
#include "platform/gdi/font_object.h"
#include "platform/gdi/surface_device.h"
#include "platform/gdi/text_out.h"
#include "platform/gdi/text_render.h"

namespace win32::gdi {

BOOL SurfaceDC::ExtTextOut(int x, int y, UINT options, const RECT* rect, std::string_view text, const INT* dx) {
    const DcState& s = State();
    const bool clipped = (options & ETO_CLIPPED) && rect;
    const RECT deviceRect = rect ? ToDeviceRect(*rect) : RECT{0, 0, 0, 0};
    const Ink background = Ink::Solid(TargetPixel(s.bkColor));
    constexpr std::uint8_t kPatCopy = 0xF0;
    if ((options & ETO_OPAQUE) && rect) PaintRect(deviceRect, background, kPatCopy);
    if (text.empty()) return TRUE;

    PlacedText placed;
    PlaceText(*this, x, y, text, dx, placed);
    if (s.bkMode == OPAQUE) {
        RECT cell = placed.cell;
        if (clipped) cell = IntersectRectValue(cell, deviceRect);
        if (!IsRectEmptyValue(cell)) PaintRect(cell, background, kPatCopy);
    }
    Surface* surface = PixelSurface();
    if (!surface) return TRUE;
    const POINT origin = SurfaceOrigin();
    Region clip = SurfaceClip();
    if (clipped) {
        RECT r = deviceRect;
        r.left += origin.x;
        r.right += origin.x;
        r.top += origin.y;
        r.bottom += origin.y;
        clip.IntersectWith(r);
    }
    PlacedRun& run = placed.run;
    for (int& px : run.penX) px += origin.x;
    run.baselineY += origin.y;
    run.startX += origin.x;
    run.endX += origin.x;
    const COLORREF color = ColorFromPixel(TargetPixel(s.textColor));
    RenderRun(*surface, clip, *placed.deviceFont, run, color,
              IsMonochrome() ? Coverage::TwoColour : Coverage::Blended);
    return TRUE;
}

}  // namespace win32::gdi
