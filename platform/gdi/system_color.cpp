#include "platform/gdi/gdi_object.h"
#include "platform/user/winuser.h"

namespace win32::gdi {

// System colours come from the window system's scheme, read at the moment
// of drawing so brushes and edges follow SetSysColors.
COLORREF SystemColor(int index) { return GetSysColor(index); }

}  // namespace win32::gdi
