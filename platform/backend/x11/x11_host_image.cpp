#include "platform/backend/x11/x11_host_image.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace win32::backend::x11 {
namespace {

RECT ClipTo(const RECT& r, int width, int height) {
    return RECT{std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0), std::min<LONG>(r.right, width),
                std::min<LONG>(r.bottom, height)};
}

void CopyOverlap(const Surface& from, Surface& to) {
    int w = std::min(from.Width(), to.Width());
    int h = std::min(from.Height(), to.Height());
    for (int y = 0; y < h; ++y) std::memcpy(to.Row(y), from.Row(y), static_cast<std::size_t>(w) * sizeof(Pixel));
}

// An XImage header over memory we own; destroying it must not free that
// memory.
struct BorrowedImage {
    XImage* image = nullptr;
    ~BorrowedImage() {
        if (image) {
            image->data = nullptr;
            XDestroyImage(image);
        }
    }
};

}  // namespace

bool SharedMemoryWorks(Display* display) {
    int major = 0, minor = 0;
    Bool pixmaps = False;
    if (!XShmQueryExtension(display) || !XShmQueryVersion(display, &major, &minor, &pixmaps)) return false;
    // Attach a tiny segment to see whether the server can reach our memory.
    XShmSegmentInfo info{};
    info.shmid = shmget(IPC_PRIVATE, 4096, IPC_CREAT | 0600);
    if (info.shmid < 0) return false;
    info.shmaddr = static_cast<char*>(shmat(info.shmid, nullptr, 0));
    bool ok = info.shmaddr != reinterpret_cast<char*>(-1);
    if (ok) {
        info.readOnly = False;
        ErrorTrap trap(display);
        XShmAttach(display, &info);
        ok = !trap.Failed();
        if (ok) XShmDetach(display, &info);
        XSync(display, False);
        shmdt(info.shmaddr);
    }
    shmctl(info.shmid, IPC_RMID, nullptr);
    return ok;
}

HostImage::HostImage(const ImageTarget& target, int width, int height) : target_(target) {
    if (!target_.format.direct || ImageByteOrder(target_.display) != LSBFirst) target_.useSharedMemory = false;
    Resize(width, height);
}

HostImage::~HostImage() { Release(shared_); }

bool HostImage::AllocateShared(int width, int height, SharedImage& out) {
    XShmSegmentInfo info{};
    XImage* image =
        XShmCreateImage(target_.display, target_.visual, static_cast<unsigned>(target_.depth), ZPixmap, nullptr, &info,
                        static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!image) return false;
    if (image->bits_per_pixel != 32 || image->byte_order != LSBFirst) {
        XDestroyImage(image);
        return false;
    }
    std::size_t bytes = static_cast<std::size_t>(image->bytes_per_line) * static_cast<std::size_t>(height);
    info.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (info.shmid < 0) {
        XDestroyImage(image);
        return false;
    }
    info.shmaddr = static_cast<char*>(shmat(info.shmid, nullptr, 0));
    if (info.shmaddr == reinterpret_cast<char*>(-1)) {
        shmctl(info.shmid, IPC_RMID, nullptr);
        XDestroyImage(image);
        return false;
    }
    info.readOnly = False;
    image->data = info.shmaddr;
    bool attached;
    {
        ErrorTrap trap(target_.display);
        XShmAttach(target_.display, &info);
        attached = !trap.Failed();
    }
    // The segment goes away by itself once both sides have let go of it.
    shmctl(info.shmid, IPC_RMID, nullptr);
    if (!attached) {
        shmdt(info.shmaddr);
        image->data = nullptr;
        XDestroyImage(image);
        return false;
    }
    out.image = image;
    out.info = info;
    return true;
}

void HostImage::Release(SharedImage& shared) {
    if (!shared.image) return;
    XShmDetach(target_.display, &shared.info);
    shared.image->data = nullptr;
    XDestroyImage(shared.image);
    shmdt(shared.info.shmaddr);
    shared = SharedImage{};
}

void HostImage::Resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == surface_.Width() && height == surface_.Height() && (surface_.Data() || width == 0 || height == 0))
        return;
    RECT dirty = surface_.TakeDirty();
    Surface next;
    SharedImage fresh;
    if (target_.useSharedMemory && width > 0 && height > 0) {
        if (AllocateShared(width, height, fresh)) {
            next = Surface(width, height, reinterpret_cast<Pixel*>(fresh.info.shmaddr), fresh.image->bytes_per_line / 4);
        } else {
            // Once the server refuses a segment, later ones fare no better.
            target_.useSharedMemory = false;
        }
    }
    if (!fresh.image) next = Surface(width, height);
    CopyOverlap(surface_, next);
    surface_ = std::move(next);
    Release(shared_);
    shared_ = fresh;
    // The image keeps a pointer to its segment's description, which must
    // be the copy that lives with us.
    if (shared_.image) shared_.image->obdata = reinterpret_cast<char*>(&shared_.info);
    if (dirty.right > dirty.left) surface_.MarkDirty(dirty);
}

void HostImage::Put(Drawable drawable, GC gc, const RECT& r) {
    RECT c = ClipTo(r, surface_.Width(), surface_.Height());
    if (c.right <= c.left || c.bottom <= c.top) return;
    auto w = static_cast<unsigned>(c.right - c.left);
    auto h = static_cast<unsigned>(c.bottom - c.top);
    if (shared_.image) {
        XShmPutImage(target_.display, drawable, gc, shared_.image, c.left, c.top, c.left, c.top, w, h, False);
        return;
    }
    if (target_.format.direct) {
        BorrowedImage b;
        b.image = XCreateImage(target_.display, target_.visual, static_cast<unsigned>(target_.depth), ZPixmap, 0,
                               reinterpret_cast<char*>(surface_.Data()), static_cast<unsigned>(surface_.Width()),
                               static_cast<unsigned>(surface_.Height()), 32, surface_.Stride() * 4);
        if (!b.image) return;
        b.image->byte_order = LSBFirst;
        XPutImage(target_.display, drawable, gc, b.image, c.left, c.top, c.left, c.top, w, h);
        return;
    }
    // A visual of another layout: convert the rectangle into a scratch image.
    XImage* scratch = XCreateImage(target_.display, target_.visual, static_cast<unsigned>(target_.depth), ZPixmap, 0,
                                   nullptr, w, h, 32, 0);
    if (!scratch) return;
    scratch->data = static_cast<char*>(std::malloc(static_cast<std::size_t>(scratch->bytes_per_line) * h));
    if (!scratch->data) {
        XDestroyImage(scratch);
        return;
    }
    for (unsigned y = 0; y < h; ++y) {
        const Pixel* row = surface_.Row(c.top + static_cast<int>(y)) + c.left;
        for (unsigned x = 0; x < w; ++x)
            XPutPixel(scratch, static_cast<int>(x), static_cast<int>(y), target_.format.ToVisual(row[x]));
    }
    XPutImage(target_.display, drawable, gc, scratch, 0, 0, c.left, c.top, w, h);
    XDestroyImage(scratch);  // frees the malloc'd data
}

}  // namespace win32::backend::x11
