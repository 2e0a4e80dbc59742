// Device contexts of windows: a small cache of surface DCs from GDI, each
// bound to the host surface of the window's top-level window with the
// window's origin and visible region.
#pragma once

#include "platform/user/window_manager.h"

namespace win32::user {

enum class DcUse { Cache, Paint };

// A DC for `hwnd` (the desktop when null) as GetDCEx's flags ask;
// `clientClip`, in client coordinates, narrows it further (BeginPaint's
// update region).
HDC AcquireDC(HWND hwnd, const Region* clientClip, DWORD flags, DcUse use);

}  // namespace win32::user
