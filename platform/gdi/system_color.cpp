#include "platform/gdi/gdi_object.h"

namespace win32::gdi {

// The classic desktop scheme, used until the window system's colour table
// answers for it.
COLORREF SystemColor(int index) {
    static const COLORREF kClassic[31] = {
        0xC0C0C0, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000,
        0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0,
        0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xC0C0C0, 0x000000,
        0xE1FFFF, 0xB5B5B5, 0x800000, 0xD08410, 0xB5B5B5, 0x800000, 0xC0C0C0,
    };
    if (index < 0 || index > 30) return 0;
    return kClassic[index];
}

}  // namespace win32::gdi
