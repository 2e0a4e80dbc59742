// Drawing on the desktop. Lock copies the screen's pixels into a surface of
// screen coordinates (with MIT-SHM the whole screen in a fraction of a
// millisecond, so a desktop device context taken only to measure text costs
// little); what is drawn there reaches the screen, over every window, each
// time the program waits for events and when the lock ends. An outline
// inverted twice this way leaves the screen as it was.
//
// The server is not held between the steps of a drag: an input method
// answering our key events must keep running.
#pragma once

#include "platform/backend/x11/x11_display.h"

#include <X11/extensions/XShm.h>

#include "platform/gdi/surface.h"

namespace win32::backend::x11 {

class ScreenLock {
public:
    explicit ScreenLock(const Connection& x);
    ~ScreenLock();
    ScreenLock(const ScreenLock&) = delete;
    ScreenLock& operator=(const ScreenLock&) = delete;

    Surface* Lock(const RECT& area);
    // Shows what was drawn since the last time.
    void Flush();
    void Unlock(const RECT& changed);
    bool Locked() const { return locked_; }

private:
    RECT ClipToScreen(const RECT& r) const;
    void Prepare(int width, int height);
    void Capture(const RECT& r);
    void Put(const RECT& r);
    void ReleaseShared();

    const Connection& x_;
    GC gc_;  // draws over the windows on the root
    Surface screen_;
    XImage* shared_ = nullptr;  // the screen surface's memory, when shared
    XShmSegmentInfo info_{};
    RECT captured_{0, 0, 0, 0};
    bool locked_ = false;
};

}  // namespace win32::backend::x11
