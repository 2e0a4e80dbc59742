// Icons behind HICON: an AND mask (1 = transparent) and a colour picture
// that is black where the mask is set, drawn with SRCAND then SRCINVERT.
#pragma once

#include "platform/gdi/resource.h"
#include "platform/handle_table.h"
#include "platform/windef.h"

namespace win32::gdi {

struct IconObject {
    HBITMAP mask = nullptr;   // owned; twice the height when `color` is null
    HBITMAP color = nullptr;  // owned; may be null (monochrome icon)
    int width = 0;
    int height = 0;
    bool isIcon = true;
    bool shared = false;  // LR_SHARED and system icons: DestroyIcon keeps them
    POINT hotspot{0, 0};
    ~IconObject();
};

HandleTable<IconObject>& Icons();
IconObject* FindIcon(HICON icon);
// Takes ownership of the bitmaps.
HICON MakeIcon(HBITMAP mask, HBITMAP color, bool isIcon, POINT hotspot);
// A new icon or bitmap from a text picture (an icon scaled when a size is
// given).
HICON IconFromPicture(const TextPicture& picture, int width, int height);
HBITMAP BitmapFromPicture(const TextPicture& picture);

// The system's own icons (IDI_APPLICATION ... IDI_WINLOGO), or null.
const TextPicture* SystemIconPicture(LPCSTR name);

}  // namespace win32::gdi
