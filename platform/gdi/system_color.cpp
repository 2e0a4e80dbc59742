#include "platform/gdi/gdi_object.h"
#include "platform/user/winuser.h"

namespace win32::gdi {

// GDI's painting resolves system colours against the window system's
// scheme, so SetSysColors reaches every system-colour brush.
COLORREF SystemColor(int index) { return GetSysColor(index); }

}  // namespace win32::gdi
