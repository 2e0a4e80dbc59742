// The GDI object behind an HFONT: the LOGFONTA it was created from. Fonts
// are realised (mapped to a face and scaled) only when text is measured or
// drawn, at the size the device context's mapping gives them.
#pragma once

#include <memory>

#include "platform/gdi/font.h"
#include "platform/gdi/gdi_object.h"

namespace win32::gdi {

class DeviceContext;

class FontObject : public GdiObject {
public:
    explicit FontObject(const LOGFONTA& lf);
    const LOGFONTA& LogFont() const { return logFont_; }
    int Describe(int size, void* buffer) const override;

private:
    LOGFONTA logFont_;
};

inline FontObject* FindFont(HGDIOBJ h) { return FindObjectAs<FontObject>(h, OBJ_FONT); }

// The LOGFONTA of the font selected into a device context (the default GUI
// font when the selection is somehow not a font).
LOGFONTA SelectedLogFont(const DeviceContext& dc);

// The selected font realised in logical units: what text is measured with.
std::shared_ptr<Font> LogicalFont(const DeviceContext& dc);

// The selected font realised at device size, scaled by the mapping: what
// text is drawn with.
std::shared_ptr<Font> DeviceFont(const DeviceContext& dc);

// The LOGFONTA scaled from logical to device units by the DC's mapping.
LOGFONTA DeviceLogFont(const DeviceContext& dc, const LOGFONTA& lf);

}  // namespace win32::gdi
