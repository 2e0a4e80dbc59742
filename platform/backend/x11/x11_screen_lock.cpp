#include "platform/backend/x11/x11_screen_lock.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace win32::backend::x11 {

ScreenLock::ScreenLock(const Connection& x) : x_(x) {
    XGCValues values{};
    values.subwindow_mode = IncludeInferiors;
    values.graphics_exposures = False;
    gc_ = XCreateGC(x_.display, x_.root, GCSubwindowMode | GCGraphicsExposures, &values);
}

ScreenLock::~ScreenLock() {
    if (locked_) XUngrabServer(x_.display);
    XFreeGC(x_.display, gc_);
}

RECT ScreenLock::ClipToScreen(const RECT& r) const {
    LONG w = DisplayWidth(x_.display, x_.screen), h = DisplayHeight(x_.display, x_.screen);
    return RECT{std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0), std::min<LONG>(r.right, w),
                std::min<LONG>(r.bottom, h)};
}

Surface* ScreenLock::Lock(const RECT& area) {
    int w = DisplayWidth(x_.display, x_.screen), h = DisplayHeight(x_.display, x_.screen);
    if (screen_.Width() != w || screen_.Height() != h) screen_.Resize(w, h);
    if (!locked_) {
        XGrabServer(x_.display);
        locked_ = true;
    }
    RECT c = ClipToScreen(area);
    if (c.right <= c.left || c.bottom <= c.top) return &screen_;
    auto cw = static_cast<unsigned>(c.right - c.left), ch = static_cast<unsigned>(c.bottom - c.top);
    XImage* image = XGetImage(x_.display, x_.root, c.left, c.top, cw, ch, AllPlanes, ZPixmap);
    if (!image) return &screen_;
    const PixelFormat& format = x_.image.format;
    bool direct = format.direct && image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
    for (unsigned y = 0; y < ch; ++y) {
        Pixel* row = screen_.Row(c.top + static_cast<int>(y)) + c.left;
        if (direct) {
            const auto* src = reinterpret_cast<const Pixel*>(image->data + static_cast<std::ptrdiff_t>(y) *
                                                                               image->bytes_per_line);
            for (unsigned i = 0; i < cw; ++i) row[i] = src[i] & 0xFFFFFF;
        } else {
            for (unsigned i = 0; i < cw; ++i)
                row[i] = format.FromVisual(XGetPixel(image, static_cast<int>(i), static_cast<int>(y)));
        }
    }
    XDestroyImage(image);
    return &screen_;
}

void ScreenLock::Unlock(const RECT& changed) {
    if (!locked_) return;
    RECT c = ClipToScreen(changed);
    if (c.right > c.left && c.bottom > c.top) {
        auto cw = static_cast<unsigned>(c.right - c.left), ch = static_cast<unsigned>(c.bottom - c.top);
        XImage* image = XCreateImage(x_.display, x_.image.visual, static_cast<unsigned>(x_.image.depth), ZPixmap, 0,
                                     nullptr, cw, ch, 32, 0);
        if (image) {
            image->data = static_cast<char*>(std::malloc(static_cast<std::size_t>(image->bytes_per_line) * ch));
            if (image->data) {
                for (unsigned y = 0; y < ch; ++y) {
                    const Pixel* row = screen_.Row(c.top + static_cast<int>(y)) + c.left;
                    for (unsigned i = 0; i < cw; ++i)
                        XPutPixel(image, static_cast<int>(i), static_cast<int>(y), x_.image.format.ToVisual(row[i]));
                }
                XPutImage(x_.display, x_.root, gc_, image, 0, 0, c.left, c.top, cw, ch);
            }
            XDestroyImage(image);
        }
    }
    XUngrabServer(x_.display);
    XFlush(x_.display);
    locked_ = false;
}

}  // namespace win32::backend::x11
