// A surface is a rectangle of 32-bit pixels: the backing store of a
// top-level window, the virtual screen, a colour bitmap. Pixels are laid out
// as in a top-down 32-bit DIB: one uint32_t per pixel holding 0x00RRGGBB
// (bytes B, G, R, 0 in memory), rows of Stride() pixels.
//
// A surface either owns its memory or wraps memory owned by someone else (a
// backend's shared-memory image); the wrapped memory must outlive it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/windef.h"

namespace win32 {

using Pixel = std::uint32_t;

// Conversions between COLORREF (0x00BBGGRR) and pixels (0x00RRGGBB).
constexpr Pixel PixelFromColor(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF ColorFromPixel(Pixel p) {
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

class Surface {
public:
    Surface() = default;
    Surface(int width, int height) { Resize(width, height); }
    // Wraps external memory of `height` rows of `stride` pixels.
    Surface(int width, int height, Pixel* memory, int stride)
        : width_(width), height_(height), stride_(stride), pixels_(memory) {}

    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    Surface(Surface&& other) noexcept { *this = std::move(other); }
    Surface& operator=(Surface&& other) noexcept {
        if (this != &other) {
            owned_ = std::move(other.owned_);
            width_ = other.width_;
            height_ = other.height_;
            stride_ = other.stride_;
            dirty_ = other.dirty_;
            pixels_ = owned_.empty() ? other.pixels_ : owned_.data();
            other.width_ = other.height_ = other.stride_ = 0;
            other.pixels_ = nullptr;
        }
        return *this;
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride() const { return stride_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    bool OwnsMemory() const { return !owned_.empty() || pixels_ == nullptr; }

    Pixel* Row(int y) { return pixels_ + static_cast<std::ptrdiff_t>(y) * stride_; }
    const Pixel* Row(int y) const { return pixels_ + static_cast<std::ptrdiff_t>(y) * stride_; }
    Pixel* Data() { return pixels_; }
    const Pixel* Data() const { return pixels_; }

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Pixel At(int x, int y) const { return Row(y)[x]; }
    void Set(int x, int y, Pixel p) { Row(y)[x] = p; }

    // Reallocates owned memory; the pixels inside both the old and the new
    // size keep their values, new pixels are `fill`. Negative sizes count as
    // zero.
    void Resize(int width, int height, Pixel fill = 0) {
        if (width < 0) width = 0;
        if (height < 0) height = 0;
        std::vector<Pixel> next(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
        int copyW = width < width_ ? width : width_;
        int copyH = height < height_ ? height : height_;
        for (int y = 0; y < copyH; ++y) {
            const Pixel* src = Row(y);
            Pixel* dst = next.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
            for (int x = 0; x < copyW; ++x) dst[x] = src[x];
        }
        owned_ = std::move(next);
        width_ = width;
        height_ = height;
        stride_ = width;
        pixels_ = owned_.empty() ? nullptr : owned_.data();
    }

    // Fills the part of `r` that lies inside the surface.
    void Fill(const RECT& r, Pixel p) {
        int l = r.left < 0 ? 0 : r.left;
        int t = r.top < 0 ? 0 : r.top;
        int rr = r.right > width_ ? width_ : r.right;
        int b = r.bottom > height_ ? height_ : r.bottom;
        for (int y = t; y < b; ++y) {
            Pixel* row = Row(y);
            for (int x = l; x < rr; ++x) row[x] = p;
        }
    }

    void Fill(Pixel p) { Fill(RECT{0, 0, width_, height_}, p); }

    // Damage tracking: whoever writes pixels marks the rectangle it touched;
    // the window system takes the accumulated bounds and presents them.
    void MarkDirty(const RECT& r) {
        RECT c{r.left < 0 ? 0 : r.left, r.top < 0 ? 0 : r.top, r.right > width_ ? width_ : r.right,
               r.bottom > height_ ? height_ : r.bottom};
        if (c.right <= c.left || c.bottom <= c.top) return;
        if (dirty_.right <= dirty_.left || dirty_.bottom <= dirty_.top) {
            dirty_ = c;
            return;
        }
        if (c.left < dirty_.left) dirty_.left = c.left;
        if (c.top < dirty_.top) dirty_.top = c.top;
        if (c.right > dirty_.right) dirty_.right = c.right;
        if (c.bottom > dirty_.bottom) dirty_.bottom = c.bottom;
    }
    void MarkAllDirty() { MarkDirty(RECT{0, 0, width_, height_}); }
    bool HasDirty() const { return dirty_.right > dirty_.left && dirty_.bottom > dirty_.top; }
    // Returns the dirty bounds (empty when nothing changed) and clears them.
    RECT TakeDirty() {
        RECT r = dirty_;
        dirty_ = RECT{0, 0, 0, 0};
        return r;
    }

private:
    std::vector<Pixel> owned_;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    Pixel* pixels_ = nullptr;
    RECT dirty_{0, 0, 0, 0};
};

}  // namespace win32
