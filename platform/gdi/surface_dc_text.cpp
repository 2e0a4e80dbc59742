// Text output on surface DCs belongs to the font module, which replaces
// this file's body with FreeType rendering. Until then only the opaque
// rectangle of ExtTextOut is painted.
#include "platform/gdi/surface_device.h"

namespace win32::gdi {

BOOL SurfaceDC::ExtTextOut(int, int, UINT options, const RECT* rect, std::string_view, const INT*) {
    constexpr UINT kOpaque = 0x0002;  // ETO_OPAQUE
    if ((options & kOpaque) && rect) {
        PaintRect(ToDeviceRect(*rect), Ink::Solid(TargetPixel(State().bkColor)), 0xF0);
    }
    return TRUE;
}

std::unique_ptr<GdiObject> CreateStockFont(int) { return nullptr; }

}  // namespace win32::gdi
