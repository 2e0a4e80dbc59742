#include "platform/backend/x11/x11_screen_lock.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace win32::backend::x11 {
namespace {

bool EmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT Union(const RECT& a, const RECT& b) {
    if (EmptyRect(a)) return b;
    if (EmptyRect(b)) return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

ScreenLock::ScreenLock(const Connection& x) : x_(x) {
    XGCValues values{};
    values.subwindow_mode = IncludeInferiors;
    values.graphics_exposures = False;
    gc_ = XCreateGC(x_.display, x_.root, GCSubwindowMode | GCGraphicsExposures, &values);
}

ScreenLock::~ScreenLock() {
    ReleaseShared();
    XFreeGC(x_.display, gc_);
}

void ScreenLock::ReleaseShared() {
    if (!shared_) return;
    XShmDetach(x_.display, &info_);
    shared_->data = nullptr;
    XDestroyImage(shared_);
    shmdt(info_.shmaddr);
    shared_ = nullptr;
    screen_ = Surface();
}

RECT ScreenLock::ClipToScreen(const RECT& r) const {
    LONG w = DisplayWidth(x_.display, x_.screen), h = DisplayHeight(x_.display, x_.screen);
    return RECT{std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0), std::min<LONG>(r.right, w),
                std::min<LONG>(r.bottom, h)};
}

void ScreenLock::Prepare(int width, int height) {
    if (screen_.Width() == width && screen_.Height() == height && screen_.Data()) return;
    ReleaseShared();
    if (x_.image.useSharedMemory && x_.image.format.direct) {
        XShmSegmentInfo info{};
        XImage* image = XShmCreateImage(x_.display, x_.image.visual, static_cast<unsigned>(x_.image.depth), ZPixmap,
                                        nullptr, &info, static_cast<unsigned>(width), static_cast<unsigned>(height));
        if (image && image->bits_per_pixel == 32 && image->byte_order == LSBFirst) {
            info.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(image->bytes_per_line) * height,
                                IPC_CREAT | 0600);
            info.shmaddr = info.shmid >= 0 ? static_cast<char*>(shmat(info.shmid, nullptr, 0))
                                           : reinterpret_cast<char*>(-1);
            if (info.shmaddr != reinterpret_cast<char*>(-1)) {
                info.readOnly = False;
                image->data = info.shmaddr;
                bool attached;
                {
                    ErrorTrap trap(x_.display);
                    XShmAttach(x_.display, &info);
                    attached = !trap.Failed();
                }
                shmctl(info.shmid, IPC_RMID, nullptr);
                if (attached) {
                    shared_ = image;
                    info_ = info;
                    shared_->obdata = reinterpret_cast<char*>(&info_);
                    screen_ = Surface(width, height, reinterpret_cast<Pixel*>(info_.shmaddr),
                                      image->bytes_per_line / 4);
                    return;
                }
                shmdt(info.shmaddr);
                image->data = nullptr;
            } else if (info.shmid >= 0) {
                shmctl(info.shmid, IPC_RMID, nullptr);
            }
        }
        if (image) XDestroyImage(image);
    }
    screen_ = Surface(width, height);
}

void ScreenLock::Capture(const RECT& c) {
    if (EmptyRect(c)) return;
    const PixelFormat& format = x_.image.format;
    if (shared_) {
        // Shared memory reads the whole screen (Lock asks for no less).
        XShmGetImage(x_.display, x_.root, shared_, 0, 0, AllPlanes);
        for (int y = c.top; y < c.bottom; ++y) {
            Pixel* row = screen_.Row(y);
            for (int x = c.left; x < c.right; ++x) row[x] &= 0xFFFFFF;
        }
        return;
    }
    auto cw = static_cast<unsigned>(c.right - c.left), ch = static_cast<unsigned>(c.bottom - c.top);
    XImage* image = XGetImage(x_.display, x_.root, c.left, c.top, cw, ch, AllPlanes, ZPixmap);
    if (!image) return;
    bool direct = format.direct && image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
    for (unsigned y = 0; y < ch; ++y) {
        Pixel* row = screen_.Row(c.top + static_cast<int>(y)) + c.left;
        if (direct) {
            const auto* src =
                reinterpret_cast<const Pixel*>(image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line);
            for (unsigned i = 0; i < cw; ++i) row[i] = src[i] & 0xFFFFFF;
        } else {
            for (unsigned i = 0; i < cw; ++i)
                row[i] = format.FromVisual(XGetPixel(image, static_cast<int>(i), static_cast<int>(y)));
        }
    }
    XDestroyImage(image);
}

Surface* ScreenLock::Lock(const RECT& area) {
    LONG w = DisplayWidth(x_.display, x_.screen), h = DisplayHeight(x_.display, x_.screen);
    Prepare(w, h);
    RECT c = ClipToScreen(area);
    if (!locked_) {
        locked_ = true;
        screen_.TakeDirty();
        // With shared memory the whole screen costs no more than a part.
        captured_ = shared_ ? RECT{0, 0, w, h} : c;
        Capture(captured_);
        return &screen_;
    }
    // A further lock keeps what was drawn so far: only the parts of its
    // area not captured yet are read.
    if (EmptyRect(c) || Inside(c, captured_)) return &screen_;
    const RECT& k = captured_;
    Capture(RECT{c.left, c.top, c.right, std::min(c.bottom, k.top)});
    Capture(RECT{c.left, std::max(c.top, k.bottom), c.right, c.bottom});
    LONG top = std::max(c.top, k.top), bottom = std::min(c.bottom, k.bottom);
    Capture(RECT{c.left, top, std::min(c.right, k.left), bottom});
    Capture(RECT{std::max(c.left, k.right), top, c.right, bottom});
    captured_ = Union(captured_, c);
    return &screen_;
}

void ScreenLock::Put(const RECT& changed) {
    RECT c = ClipToScreen(changed);
    if (EmptyRect(c)) return;
    auto cw = static_cast<unsigned>(c.right - c.left), ch = static_cast<unsigned>(c.bottom - c.top);
    if (shared_) {
        XShmPutImage(x_.display, x_.root, gc_, shared_, c.left, c.top, c.left, c.top, cw, ch, False);
        return;
    }
    XImage* image = XCreateImage(x_.display, x_.image.visual, static_cast<unsigned>(x_.image.depth), ZPixmap, 0,
                                 nullptr, cw, ch, 32, 0);
    if (!image) return;
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

void ScreenLock::Flush() {
    if (!locked_ || !screen_.HasDirty()) return;
    Put(screen_.TakeDirty());
    XFlush(x_.display);
}

void ScreenLock::Unlock(const RECT& changed) {
    if (!locked_) return;
    Put(Union(changed, screen_.TakeDirty()));
    XSync(x_.display, False);
    locked_ = false;
}

}  // namespace win32::backend::x11
