#include "platform/gdi/font_object.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/gdi/dc.h"

namespace win32::gdi {

FontObject::FontObject(const LOGFONTA& lf) : GdiObject(OBJ_FONT), logFont_(lf) {
    logFont_.lfFaceName[LF_FACESIZE - 1] = '\0';
}

int FontObject::Describe(int size, void* buffer) const {
    if (!buffer) return static_cast<int>(sizeof(LOGFONTA));
    if (size <= 0) return 0;
    int n = std::min(size, static_cast<int>(sizeof(LOGFONTA)));
    std::memcpy(buffer, &logFont_, static_cast<std::size_t>(n));
    return n;
}

std::unique_ptr<GdiObject> CreateStockFont(int stockIndex) {
    return std::make_unique<FontObject>(StockLogFont(stockIndex));
}

LOGFONTA SelectedLogFont(const DeviceContext& dc) {
    if (const FontObject* f = FindFont(dc.State().font)) return f->LogFont();
    return StockLogFont(DEFAULT_GUI_FONT);
}

LOGFONTA DeviceLogFont(const DeviceContext& dc, const LOGFONTA& lf) {
    if (dc.State().windowExt == dc.State().viewportExt) return lf;
    LOGFONTA out = lf;
    // Height 0 asks for the default size, which scales like -12.
    const LONG h = lf.lfHeight == 0 ? -12 : lf.lfHeight;
    const LONG hAbs = h == std::numeric_limits<LONG>::min() ? std::numeric_limits<LONG>::max() : std::labs(h);
    out.lfHeight = (h < 0 ? -1 : 1) * std::max(1, dc.ScaleHeight(static_cast<int>(hAbs)));
    if (lf.lfWidth != 0) {
        const LONG w = lf.lfWidth == std::numeric_limits<LONG>::min() ? std::numeric_limits<LONG>::max()
                                                                        : std::labs(lf.lfWidth);
        out.lfWidth = std::max(1, dc.ScaleWidth(static_cast<int>(w)));
    }
    return out;
}

std::shared_ptr<Font> LogicalFont(const DeviceContext& dc) { return RealizeFont(SelectedLogFont(dc)); }

std::shared_ptr<Font> DeviceFont(const DeviceContext& dc) {
    return RealizeFont(DeviceLogFont(dc, SelectedLogFont(dc)));
}

}  // namespace win32::gdi
