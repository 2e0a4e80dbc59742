// The pixels of one host window: a surface our GDI draws on, and the way
// they reach the window. With MIT-SHM the surface lies in memory shared with
// the server, so presenting a rectangle copies nothing on our side;
// otherwise the rectangle is sent with XPutImage. Visuals whose pixels are
// not laid out like ours are converted rectangle by rectangle.
#pragma once

#include "platform/backend/x11/x11_display.h"

#include <X11/extensions/XShm.h>

#include <memory>
#include <vector>

#include "platform/backend/x11/x11_display.h"
#include "platform/gdi/surface.h"

namespace win32::backend::x11 {

class HostImage {
public:
    HostImage(const ImageTarget& target, int width, int height);
    ~HostImage();
    HostImage(const HostImage&) = delete;
    HostImage& operator=(const HostImage&) = delete;

    // The surface keeps its address for the image's life; Resize changes
    // it in place.
    Surface* surface() { return &surface_; }
    bool SharedMemory() const { return shared_.image != nullptr; }

    // Keeps the pixels the old and new sizes have in common.
    void Resize(int width, int height);
    // Sends the pixels of `r` (surface coordinates) to `drawable` at the
    // same place.
    void Put(Drawable drawable, GC gc, const RECT& r);

private:
    struct SharedImage {
        XImage* image = nullptr;
        XShmSegmentInfo info{};
    };
    bool AllocateShared(int width, int height, SharedImage& out);
    void Release(SharedImage& shared);

    ImageTarget target_;
    Surface surface_;
    SharedImage shared_;
};

// Whether the display can attach our shared memory (it cannot when it runs
// on another machine).
bool SharedMemoryWorks(Display* display);

}  // namespace win32::backend::x11
