// A memory DC with a colour bitmap for pixel tests, and a way to read rows
// of pixels as characters so expectations stay short and readable.
#pragma once

#include <map>
#include <string>

#include "platform/gdi/wingdi.h"

namespace win32::testing {

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = 0xFFFFFF, bool mono = false) : width_(width), height_(height) {
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = mono ? CreateBitmap(width, height, 1, 1, nullptr) : CreateBitmap(width, height, 1, 32, nullptr);
        old_ = SelectObject(dc_, bitmap_);
        Clear(fill);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }

    void Clear(COLORREF c) {
        HBRUSH b = CreateSolidBrush(c);
        RECT r{0, 0, width_, height_};
        FillRect(dc_, &r, b);
        DeleteObject(b);
    }

    // The pixel of the bitmap, whatever mapping and clip the DC has.
    COLORREF At(int x, int y) const {
        SaveDC(dc_);
        SetMapMode(dc_, MM_TEXT);
        SetWindowOrgEx(dc_, 0, 0, nullptr);
        SetViewportOrgEx(dc_, 0, 0, nullptr);
        SelectClipRgn(dc_, nullptr);
        COLORREF c = GetPixel(dc_, x, y);
        RestoreDC(dc_, -1);
        return c;
    }

    // Row y from x0 to x1 (exclusive) as characters: the legend maps
    // colours to characters, anything else is '?'.
    std::string Row(int y, int x0 = 0, int x1 = -1) const {
        if (x1 < 0) x1 = width_;
        std::string s;
        for (int x = x0; x < x1; ++x) {
            COLORREF c = At(x, y);
            auto it = legend_.find(c);
            s += it == legend_.end() ? '?' : it->second;
        }
        return s;
    }
    std::string Column(int x, int y0 = 0, int y1 = -1) const {
        if (y1 < 0) y1 = height_;
        std::string s;
        for (int y = y0; y < y1; ++y) {
            auto it = legend_.find(At(x, y));
            s += it == legend_.end() ? '?' : it->second;
        }
        return s;
    }
    void Legend(COLORREF c, char ch) { legend_[c] = ch; }

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    std::map<COLORREF, char> legend_{{0xFFFFFF, '.'}, {0x000000, '#'}};
};

}  // namespace win32::testing
