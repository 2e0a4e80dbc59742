// Bitmap creation and the device-independent bitmap conversions.
#include <algorithm>
#include <cstring>

#include "platform/gdi/dc.h"
#include "platform/gdi/surface_device.h"

namespace win32 {

using namespace gdi;

namespace {

// Larger bitmaps are refused rather than allocated (CreateBitmap fails).
constexpr long long kMaxPixels = 64LL * 1024 * 1024;

bool SizeAcceptable(int w, int h) {
    return w >= 0 && h >= 0 && static_cast<long long>(w) * h <= kMaxPixels;
}

HBITMAP NewBitmap(int w, int h, bool mono) {
    if (!SizeAcceptable(w, h)) return nullptr;
    if (w == 0 || h == 0) {
        w = h = 1;
        mono = true;
    }
    return static_cast<HBITMAP>(AddObject(std::make_unique<BitmapObject>(w, h, mono)));
}

int MonoStride(int w) { return ((w + 15) / 16) * 2; }

// What a DIB header says about its layout.
struct DibLayout {
    int width = 0;
    int height = 0;  // always positive
    bool topDown = false;
    int bits = 0;
    int stride = 0;
    int colors = 0;
    const RGBQUAD* palette = nullptr;
    DWORD masks[3] = {0, 0, 0};
    bool ok = false;
};

DibLayout Layout(const BITMAPINFO* info) {
    DibLayout l;
    if (!info) return l;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1) return l;
    if (h.biHeight == -2147483647 - 1) return l;
    l.width = h.biWidth;
    l.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    l.topDown = h.biHeight < 0;
    l.bits = h.biBitCount;
    if (l.bits != 1 && l.bits != 4 && l.bits != 8 && l.bits != 16 && l.bits != 24 && l.bits != 32) return l;
    if (!SizeAcceptable(l.width, l.height)) return l;
    l.stride = static_cast<int>(((static_cast<long long>(l.width) * l.bits + 31) / 32) * 4);
    if (l.bits <= 8) {
        l.colors = h.biClrUsed ? static_cast<int>(std::min<DWORD>(h.biClrUsed, 1u << l.bits)) : (1 << l.bits);
        l.palette = info->bmiColors;
    }
    if (h.biCompression == BI_BITFIELDS && (l.bits == 16 || l.bits == 32)) {
        const auto* m = reinterpret_cast<const DWORD*>(info->bmiColors);
        l.masks[0] = m[0];
        l.masks[1] = m[1];
        l.masks[2] = m[2];
    } else if (h.biCompression != BI_RGB) {
        return l;
    } else if (l.bits == 16) {
        l.masks[0] = 0x7C00;
        l.masks[1] = 0x03E0;
        l.masks[2] = 0x001F;
    } else if (l.bits == 32) {
        l.masks[0] = 0xFF0000;
        l.masks[1] = 0x00FF00;
        l.masks[2] = 0x0000FF;
    }
    l.ok = true;
    return l;
}

int MaskShift(DWORD m) {
    int s = 0;
    while (m && !(m & 1)) {
        m >>= 1;
        ++s;
    }
    return s;
}

BYTE Channel(DWORD v, DWORD mask) {
    if (!mask) return 0;
    DWORD x = (v & mask) >> MaskShift(mask);
    DWORD max = mask >> MaskShift(mask);
    return static_cast<BYTE>(max ? x * 255 / max : 0);
}

// Decodes scan line `row` (counted from the top of the picture).
void DecodeRow(const DibLayout& l, const BYTE* bits, int row, Pixel* out) {
    int memRow = l.topDown ? row : l.height - 1 - row;
    const BYTE* p = bits + static_cast<std::ptrdiff_t>(memRow) * l.stride;
    auto pal = [&](int i) -> Pixel {
        if (i >= l.colors) return 0;
        const RGBQUAD& q = l.palette[i];
        return (static_cast<Pixel>(q.rgbRed) << 16) | (static_cast<Pixel>(q.rgbGreen) << 8) | q.rgbBlue;
    };
    for (int x = 0; x < l.width; ++x) {
        switch (l.bits) {
        case 1: out[x] = pal((p[x >> 3] >> (7 - (x & 7))) & 1); break;
        case 4: out[x] = pal((p[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF); break;
        case 8: out[x] = pal(p[x]); break;
        case 16: {
            DWORD v = p[2 * x] | (p[2 * x + 1] << 8);
            out[x] = (static_cast<Pixel>(Channel(v, l.masks[0])) << 16) |
                     (static_cast<Pixel>(Channel(v, l.masks[1])) << 8) | Channel(v, l.masks[2]);
            break;
        }
        case 24: out[x] = (static_cast<Pixel>(p[3 * x + 2]) << 16) | (p[3 * x + 1] << 8) | p[3 * x]; break;
        case 32: {
            DWORD v = p[4 * x] | (p[4 * x + 1] << 8) | (p[4 * x + 2] << 16) | (static_cast<DWORD>(p[4 * x + 3]) << 24);
            out[x] = (static_cast<Pixel>(Channel(v, l.masks[0])) << 16) |
                     (static_cast<Pixel>(Channel(v, l.masks[1])) << 8) | Channel(v, l.masks[2]);
            break;
        }
        }
    }
}

Pixel NearestMono(Pixel p) {
    int sum = static_cast<int>((p >> 16) & 0xFF) + static_cast<int>((p >> 8) & 0xFF) + static_cast<int>(p & 0xFF);
    return sum > 382 ? 0x00FFFFFFu : 0u;
}

bool DcIsMonochrome(HDC dc) {
    DeviceContext* d = FindDC(dc);
    return d && d->IsMonochrome();
}

}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (planes != 1 || width < 0 || height < 0) return nullptr;
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 &&
        bitsPerPixel != 32)
        return nullptr;
    HBITMAP h = NewBitmap(width, height, bitsPerPixel == 1);
    if (h && bits && width > 0 && height > 0) {
        long long bytes = bitsPerPixel == 1 ? static_cast<long long>(MonoStride(width)) * height
                                            : static_cast<long long>(width) * height * 4;
        if (bitsPerPixel == 1 || bitsPerPixel == 32) SetBitmapBits(h, static_cast<DWORD>(bytes), bits);
    }
    return h;
}

HBITMAP CreateBitmapIndirect(const BITMAP* bm) {
    if (!bm) return nullptr;
    return CreateBitmap(bm->bmWidth, bm->bmHeight, bm->bmPlanes, bm->bmBitsPixel, bm->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    DeviceContext* d = FindDC(dc);
    if (!d) return nullptr;
    return NewBitmap(width, height, d->IsMonochrome());
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, HANDLE, DWORD) {
    if (bits) *bits = nullptr;
    DibLayout l = Layout(info);
    if (!l.ok || l.bits != 32) return nullptr;
    if (l.masks[0] != 0xFF0000 || l.masks[1] != 0xFF00 || l.masks[2] != 0xFF) return nullptr;
    auto b = BitmapObject::DibSection(l.width, l.height, l.topDown);
    void* mem = b->DibBits();
    HBITMAP h = static_cast<HBITMAP>(AddObject(std::move(b)));
    if (h && bits) *bits = mem;
    return h;
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT usage) {
    if (!header) return nullptr;
    int w = header->biWidth, h = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    // Compatible with the DC: monochrome when the DC is.
    HBITMAP bmp = NewBitmap(w, h, dc ? DcIsMonochrome(dc) : header->biBitCount == 1);
    if (bmp && (init & CBM_INIT) && bits && info) SetDIBits(dc, bmp, 0, static_cast<UINT>(h), bits, info, usage);
    return bmp;
}

LONG GetBitmapBits(HBITMAP bitmap, LONG size, LPVOID bits) {
    BitmapObject* b = FindBitmap(bitmap);
    if (!b || size < 0) return 0;
    const Surface& s = b->Pixels();
    int stride = b->IsMonochrome() ? MonoStride(s.Width()) : s.Width() * 4;
    long long total = static_cast<long long>(stride) * s.Height();
    if (!bits) return static_cast<LONG>(total);
    auto* out = static_cast<BYTE*>(bits);
    long long n = std::min<long long>(size, total);
    std::memset(out, 0, static_cast<std::size_t>(n));
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            Pixel p = s.At(x, y);
            if (b->IsMonochrome()) {
                long long at = static_cast<long long>(y) * stride + (x >> 3);
                if (at < n && (p & 0x00FFFFFF)) out[at] |= static_cast<BYTE>(0x80 >> (x & 7));
            } else {
                long long at = static_cast<long long>(y) * stride + x * 4;
                if (at + 3 < n) {
                    out[at] = static_cast<BYTE>(p & 0xFF);
                    out[at + 1] = static_cast<BYTE>((p >> 8) & 0xFF);
                    out[at + 2] = static_cast<BYTE>((p >> 16) & 0xFF);
                    out[at + 3] = 0;
                }
            }
        }
    }
    return static_cast<LONG>(n);
}

LONG SetBitmapBits(HBITMAP bitmap, DWORD size, const void* bits) {
    BitmapObject* b = FindBitmap(bitmap);
    if (!b || !bits) return 0;
    Surface& s = b->Pixels();
    int stride = b->IsMonochrome() ? MonoStride(s.Width()) : s.Width() * 4;
    const auto* in = static_cast<const BYTE*>(bits);
    long long n = std::min<long long>(size, static_cast<long long>(stride) * s.Height());
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            if (b->IsMonochrome()) {
                long long at = static_cast<long long>(y) * stride + (x >> 3);
                if (at >= n) continue;
                s.Set(x, y, (in[at] & (0x80 >> (x & 7))) ? 0x00FFFFFFu : 0u);
            } else {
                long long at = static_cast<long long>(y) * stride + x * 4;
                if (at + 3 >= n) continue;
                s.Set(x, y, (static_cast<Pixel>(in[at + 2]) << 16) | (in[at + 1] << 8) | in[at]);
            }
        }
    }
    s.MarkAllDirty();
    return static_cast<LONG>(n);
}

int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, BITMAPINFO* info, UINT) {
    if (!FindDC(dc) || !info) return 0;
    BitmapObject* b = FindBitmap(bitmap);
    if (!b) return 0;
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER)) return 0;
    const Surface& s = b->Pixels();
    if (!bits) {
        // Describe the bitmap.
        h.biWidth = s.Width();
        h.biHeight = s.Height();
        h.biPlanes = 1;
        h.biBitCount = b->IsMonochrome() ? 1 : 32;
        h.biCompression = BI_RGB;
        h.biSizeImage = static_cast<DWORD>(((s.Width() * h.biBitCount + 31) / 32) * 4 * s.Height());
        h.biClrUsed = 0;
        if (h.biBitCount == 1) {
            info->bmiColors[0] = RGBQUAD{0, 0, 0, 0};
            (&info->bmiColors[0])[1] = RGBQUAD{255, 255, 255, 0};
        }
        return s.Height();
    }
    if (h.biWidth != s.Width() || h.biHeight == 0) return 0;
    int bitCount = h.biBitCount;
    if (bitCount != 1 && bitCount != 24 && bitCount != 32) return 0;
    int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    bool topDown = h.biHeight < 0;
    int stride = ((s.Width() * bitCount + 31) / 32) * 4;
    if (bitCount == 1) {
        info->bmiColors[0] = RGBQUAD{0, 0, 0, 0};
        (&info->bmiColors[0])[1] = RGBQUAD{255, 255, 255, 0};
    }
    auto* out = static_cast<BYTE*>(bits);
    int copied = 0;
    for (UINT scan = start; scan < start + lines && static_cast<int>(scan) < height; ++scan) {
        // Scan 0 is the bottom row of a bottom-up DIB.
        int srcRow = topDown ? static_cast<int>(scan) : s.Height() - 1 - static_cast<int>(scan);
        int memRow = static_cast<int>(scan - start);
        if (srcRow < 0 || srcRow >= s.Height()) continue;
        BYTE* row = out + static_cast<std::ptrdiff_t>(memRow) * stride;
        std::memset(row, 0, static_cast<std::size_t>(stride));
        for (int x = 0; x < s.Width(); ++x) {
            Pixel p = s.At(x, srcRow) & 0x00FFFFFF;
            if (bitCount == 1) {
                if (NearestMono(p)) row[x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7));
            } else if (bitCount == 24) {
                row[3 * x] = static_cast<BYTE>(p & 0xFF);
                row[3 * x + 1] = static_cast<BYTE>((p >> 8) & 0xFF);
                row[3 * x + 2] = static_cast<BYTE>((p >> 16) & 0xFF);
            } else {
                row[4 * x] = static_cast<BYTE>(p & 0xFF);
                row[4 * x + 1] = static_cast<BYTE>((p >> 8) & 0xFF);
                row[4 * x + 2] = static_cast<BYTE>((p >> 16) & 0xFF);
            }
        }
        ++copied;
    }
    return copied;
}

int SetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage) {
    BitmapObject* b = FindBitmap(bitmap);
    DibLayout l = Layout(info);
    if (!b || !bits || !l.ok || usage != DIB_RGB_COLORS) return 0;
    Surface& s = b->Pixels();
    std::vector<Pixel> row(static_cast<std::size_t>(l.width));
    int copied = 0;
    // The bits hold `lines` scans starting at scan `start` (scan 0 is the
    // bottom of a bottom-up picture).
    DibLayout part = l;
    part.height = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(l.height)));
    for (int i = 0; i < part.height; ++i) {
        int scan = static_cast<int>(start) + i;
        if (scan >= l.height) break;
        int picRow = l.topDown ? scan : l.height - 1 - scan;
        int partRow = part.topDown ? i : part.height - 1 - i;
        DecodeRow(part, static_cast<const BYTE*>(bits), partRow, row.data());
        if (picRow < 0 || picRow >= s.Height()) continue;
        for (int x = 0; x < std::min(l.width, s.Width()); ++x)
            s.Set(x, picRow, b->IsMonochrome() ? NearestMono(row[static_cast<std::size_t>(x)])
                                               : row[static_cast<std::size_t>(x)]);
        ++copied;
    }
    s.MarkAllDirty();
    return copied;
}

int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
    DeviceContext* d = FindDC(dc);
    DibLayout l = Layout(info);
    if (!d || !bits || !l.ok || usage != DIB_RGB_COLORS) return 0;
    HDC mem = CreateCompatibleDC(nullptr);
    // A two-colour DIB stays monochrome so the target's colours apply.
    bool mono = l.bits == 1 && l.colors == 2 && l.palette[0].rgbRed == 0 && l.palette[0].rgbGreen == 0 &&
                l.palette[0].rgbBlue == 0 && l.palette[1].rgbRed == 255 && l.palette[1].rgbGreen == 255 &&
                l.palette[1].rgbBlue == 255;
    HBITMAP bmp = NewBitmap(l.width, l.height, mono);
    if (!bmp) {
        DeleteDC(mem);
        return 0;
    }
    SetDIBits(mem, bmp, 0, static_cast<UINT>(l.height), bits, info, usage);
    HGDIOBJ old = SelectObject(mem, bmp);
    // Source coordinates of a bottom-up DIB count from its bottom row.
    int top = l.topDown ? ySrc : l.height - ySrc - srcHeight;
    BOOL ok = StretchBlt(dc, xDest, yDest, destWidth, destHeight, mem, xSrc, top, srcWidth, srcHeight, rop);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    return ok ? srcHeight : 0;
}

int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan,
                      UINT lines, const void* bits, const BITMAPINFO* info, UINT usage) {
    DibLayout l = Layout(info);
    if (!l.ok) return 0;
    (void)startScan;
    int r = StretchDIBits(dc, xDest, yDest, static_cast<int>(width), static_cast<int>(height), xSrc, ySrc,
                          static_cast<int>(width), static_cast<int>(height), bits, info, usage, SRCCOPY);
    return r ? static_cast<int>(lines) : 0;
}

BOOL GetBitmapDimensionEx(HBITMAP bitmap, LPSIZE size) {
    BitmapObject* b = FindBitmap(bitmap);
    if (!b || !size) return FALSE;
    *size = b->Dimension();
    return TRUE;
}

}  // namespace win32
