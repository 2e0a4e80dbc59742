// Drawing on the desktop. Lock copies the screen's pixels of an area into a
// surface of screen coordinates and holds the server, so that nothing else
// draws while we read and write; Unlock writes the changed pixels back over
// every window and lets the server go. An outline inverted twice this way
// leaves the screen as it was.
#pragma once

#include "platform/backend/x11/x11_display.h"
#include "platform/gdi/surface.h"

namespace win32::backend::x11 {

class ScreenLock {
public:
    explicit ScreenLock(const Connection& x);
    ~ScreenLock();
    ScreenLock(const ScreenLock&) = delete;
    ScreenLock& operator=(const ScreenLock&) = delete;

    Surface* Lock(const RECT& area);
    void Unlock(const RECT& changed);
    bool Locked() const { return locked_; }

private:
    RECT ClipToScreen(const RECT& r) const;

    const Connection& x_;
    GC gc_;  // draws over the windows on the root
    Surface screen_;
    bool locked_ = false;
};

}  // namespace win32::backend::x11
