// Control of the window system as a whole, outside the Win32 API: what a
// test fixture or the program's start-up needs.
#pragma once

#include "platform/windef.h"

namespace win32::user {

// Destroys every window (without sending messages), class, hook, timer and
// queued message and restores the default colours and settings; the
// desktop window is made anew to the size of the current backend's screen.
void ResetWindowSystem();

// The backend host of a top-level window (0 for child windows and stale
// handles), for snapshots of one window.
unsigned HostOfWindow(win32::HWND hwnd);

}  // namespace win32::user
