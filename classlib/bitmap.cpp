#include "classlib/bitmap.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "classlib/consts.h"
#include "classlib/streams.h"

namespace classlib {

using namespace win32;

// TBitmapCanvas

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
    if (memDc_ != nullptr) return;
    memDc_ = CreateCompatibleDC(nullptr);
    if (memDc_ == nullptr) throw EOutOfResources(SOutOfResources);
    if (bitmap_->handle_ != nullptr) oldBitmap_ = SelectObject(memDc_, bitmap_->handle_);
    SetHandle(memDc_);
}

void TBitmapCanvas::FreeContext() {
    if (memDc_ == nullptr) return;
    HDC dc = memDc_;
    SetHandle(nullptr);
    if (oldBitmap_ != nullptr) SelectObject(dc, oldBitmap_);
    oldBitmap_ = nullptr;
    DeleteDC(dc);
    memDc_ = nullptr;
}

// TBitmap

namespace {

HBITMAP NewImage(int width, int height, bool monochrome) {
    if (width <= 0 || height <= 0) return nullptr;
    if (monochrome) return CreateBitmap(width, height, 1, 1, nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    canvas_.reset();
    if (handle_ != nullptr) DeleteObject(handle_);
}

TCanvas* TBitmap::Canvas() {
    if (!canvas_) {
        canvas_ = std::make_unique<TBitmapCanvas>(this);
        canvas_->OnChange = [this](TObject*) { SetModified(true); };
    }
    return canvas_.get();
}

void TBitmap::Changed() {
    SetModified(true);
    TGraphic::Changed();
}

HBITMAP TBitmap::CopyOf(int width, int height, bool monochrome) {
    HBITMAP image = NewImage(width, height, monochrome);
    if (image == nullptr) return nullptr;
    HDC dst = CreateCompatibleDC(nullptr);
    HGDIOBJ oldDst = SelectObject(dst, image);
    PatBlt(dst, 0, 0, width, height, WHITENESS);
    if (handle_ != nullptr) {
        if (canvas_) canvas_->FreeContext();
        HDC src = CreateCompatibleDC(nullptr);
        HGDIOBJ oldSrc = SelectObject(src, handle_);
        // Colour to monochrome: the source DC's background (white) becomes
        // white, everything else black; the other way 0 is black, 1 white.
        SetBkColor(src, RGB(255, 255, 255));
        SetTextColor(dst, RGB(0, 0, 0));
        SetBkColor(dst, RGB(255, 255, 255));
        BitBlt(dst, 0, 0, std::min(width, width_), std::min(height, height_), src, 0, 0, SRCCOPY);
        SelectObject(src, oldSrc);
        DeleteDC(src);
    }
    SelectObject(dst, oldDst);
    DeleteDC(dst);
    return image;
}

void TBitmap::ReplaceHandle(HBITMAP bitmap, int width, int height) {
    if (canvas_) canvas_->FreeContext();
    if (handle_ != nullptr && handle_ != bitmap) DeleteObject(handle_);
    handle_ = bitmap;
    width_ = bitmap != nullptr ? width : 0;
    height_ = bitmap != nullptr ? height : 0;
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    HBITMAP image = CopyOf(width, height, Monochrome());
    if (image == nullptr && width > 0 && height > 0) throw EOutOfResources(SOutOfResources);
    ReplaceHandle(image, width, height);
    Changed();
}

void TBitmap::SetHandle(HBITMAP bitmap) {
    if (bitmap == handle_) return;
    BITMAP info{};
    int w = 0, h = 0;
    if (bitmap != nullptr && GetObjectA(bitmap, sizeof(info), &info) != 0) {
        w = info.bmWidth;
        h = std::abs(info.bmHeight);
        pixelFormat_ = info.bmBitsPixel == 1 ? pf1bit : pfDevice;
    } else {
        bitmap = nullptr;
    }
    ReplaceHandle(bitmap, w, h);
    Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
    if (canvas_) canvas_->FreeContext();
    HBITMAP h = handle_;
    handle_ = nullptr;
    width_ = height_ = 0;
    return h;
}

void TBitmap::Dormant() {
    if (canvas_) canvas_->FreeContext();
}

void TBitmap::FreeImage() { Dormant(); }

void TBitmap::SetMonochrome(bool monochrome) {
    if (monochrome == Monochrome()) return;
    SetPixelFormat(monochrome ? pf1bit : pfDevice);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == pixelFormat_) return;
    bool wasMono = Monochrome();
    bool mono = format == pf1bit;
    if (handle_ != nullptr && mono != wasMono) {
        HBITMAP image = CopyOf(width_, height_, mono);
        pixelFormat_ = format;
        ReplaceHandle(image, width_, height_);
    }
    pixelFormat_ = format;
    Changed();
}

TColor TBitmap::TransparentColor() {
    if (transparentMode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
    if (Empty()) return clDefault;
    return Canvas()->Pixels(0, height_ - 1) & 0xFFFFFF;
}

void TBitmap::SetTransparentColor(TColor color) {
    transparentColor_ = color;
    transparentMode_ = color == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == transparentMode_) return;
    transparentMode_ = mode;
    if (mode == tmAuto) transparentColor_ = clDefault;
    Changed();
}

HBITMAP TBitmap::CreateMask(TColor color) {
    if (Empty()) return nullptr;
    HBITMAP mask = CreateBitmap(width_, height_, 1, 1, nullptr);
    HDC src = Canvas()->Handle();
    HDC dst = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dst, mask);
    COLORREF oldBk = SetBkColor(src, ColorToRGB(color));
    BitBlt(dst, 0, 0, width_, height_, src, 0, 0, SRCCOPY);
    SetBkColor(src, oldBk);
    SelectObject(dst, old);
    DeleteDC(dst);
    return mask;
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    HBITMAP bitmap = LoadBitmapA(instance, name.c_str());
    if (bitmap == nullptr) throw EResNotFound(FormatResource(SResNotFound, {name}));
    SetHandle(bitmap);
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
    HBITMAP bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(static_cast<WORD>(id)));
    if (bitmap == nullptr) throw EResNotFound(FormatResource(SResNotFound, {std::to_string(id)}));
    SetHandle(bitmap);
}

void TBitmap::Draw(TCanvas* canvas, const TRect& r) {
    if (Empty()) return;
    HDC dst = canvas->Handle();
    HDC src = Canvas()->Handle();
    if (Transparent()) {
        TransparentBlt(dst, r.left, r.top, RectWidth(r), RectHeight(r), src, 0, 0, width_, height_,
                       ColorToRGB(TransparentColor()));
    } else {
        StretchBlt(dst, r.left, r.top, RectWidth(r), RectHeight(r), src, 0, 0, width_, height_, canvas->CopyMode());
    }
}

void TBitmap::Assign(const TPersistent* source) {
    const auto* other = dynamic_cast<const TBitmap*>(source);
    if (source == nullptr) {
        ReplaceHandle(nullptr, 0, 0);
        Changed();
        return;
    }
    if (other == nullptr) {
        TGraphic::Assign(source);
        return;
    }
    if (other == this) return;
    auto* from = const_cast<TBitmap*>(other);
    HBITMAP image = nullptr;
    if (!from->Empty()) {
        // Copy the pixels through a fresh image of the same kind.
        image = NewImage(from->width_, from->height_, from->Monochrome());
        HDC dst = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dst, image);
        BitBlt(dst, 0, 0, from->width_, from->height_, from->Canvas()->Handle(), 0, 0, SRCCOPY);
        SelectObject(dst, old);
        DeleteDC(dst);
    }
    pixelFormat_ = from->pixelFormat_;
    palette_ = from->palette_;
    transparentColor_ = from->transparentColor_;
    transparentMode_ = from->transparentMode_;
    SetTransparent(from->Transparent());
    ReplaceHandle(image, from->width_, from->height_);
    Changed();
}

// BMP files: BITMAPFILEHEADER, then BITMAPINFOHEADER, colour table and rows.

namespace {

#pragma pack(push, 1)
struct FileHeader {
    WORD type;
    DWORD size;
    WORD reserved1;
    WORD reserved2;
    DWORD offBits;
};
#pragma pack(pop)

}  // namespace

void TBitmap::LoadFromStream(TStream* stream) {
    std::int64_t start = stream->Position();
    FileHeader file{};
    stream->ReadBuffer(&file, sizeof(file));
    if (file.type != 0x4D42) throw EInvalidGraphic(SInvalidBitmap);
    BITMAPINFOHEADER header{};
    stream->ReadBuffer(&header, sizeof(header));
    if (header.biSize < sizeof(header) || header.biWidth <= 0 || header.biHeight == 0 || header.biPlanes != 1 ||
        header.biCompression != BI_RGB || header.biWidth > 32768 || std::abs(header.biHeight) > 32768) {
        throw EInvalidGraphic(SInvalidBitmap);
    }
    int bpp = header.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) throw EInvalidGraphic(SInvalidBitmap);
    stream->Seek(static_cast<std::int64_t>(header.biSize) - static_cast<std::int64_t>(sizeof(header)), soCurrent);
    int colours = bpp <= 8 ? (header.biClrUsed != 0 ? static_cast<int>(header.biClrUsed) : 1 << bpp) : 0;
    if (colours > 256) throw EInvalidGraphic(SInvalidBitmap);
    std::vector<unsigned char> infoBytes(sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * static_cast<std::size_t>(std::max(colours, 1)));
    auto* info = reinterpret_cast<BITMAPINFO*>(infoBytes.data());
    info->bmiHeader = header;
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    if (colours > 0) stream->ReadBuffer(info->bmiColors, static_cast<std::int64_t>(sizeof(RGBQUAD)) * colours);
    int width = header.biWidth, height = std::abs(header.biHeight);
    std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
    std::vector<unsigned char> bits(stride * static_cast<std::size_t>(height));
    if (file.offBits != 0) stream->SetPosition(start + file.offBits);
    stream->ReadBuffer(bits.data(), static_cast<std::int64_t>(bits.size()));
    bool mono = bpp == 1 && colours == 2 && info->bmiColors[0].rgbRed == 0 && info->bmiColors[1].rgbRed == 255;
    HBITMAP image = NewImage(width, height, mono);
    if (image == nullptr) throw EOutOfResources(SOutOfResources);
    SetDIBits(nullptr, image, 0, static_cast<UINT>(height), bits.data(), info, DIB_RGB_COLORS);
    pixelFormat_ = mono ? pf1bit : bpp == 24 ? pf24bit : bpp == 8 ? pf8bit : bpp == 4 ? pf4bit : pfDevice;
    ReplaceHandle(image, width, height);
    Changed();
}

void TBitmap::SaveToStream(TStream* stream) {
    int width = width_, height = height_;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    std::size_t stride = ((static_cast<std::size_t>(width) * 24 + 31) / 32) * 4;
    std::vector<unsigned char> bits(stride * static_cast<std::size_t>(height));
    if (!Empty()) {
        BITMAPINFO info{};
        info.bmiHeader = header;
        // The bitmap may not be selected anywhere while its bits are read.
        Dormant();
        HDC dc = CreateCompatibleDC(nullptr);
        GetDIBits(dc, handle_, 0, static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS);
        DeleteDC(dc);
    }
    header.biSizeImage = static_cast<DWORD>(bits.size());
    FileHeader file{};
    file.type = 0x4D42;
    file.offBits = sizeof(FileHeader) + sizeof(BITMAPINFOHEADER);
    file.size = file.offBits + static_cast<DWORD>(bits.size());
    stream->WriteBuffer(&file, sizeof(file));
    stream->WriteBuffer(&header, sizeof(header));
    stream->WriteBuffer(bits.data(), static_cast<std::int64_t>(bits.size()));
}

}  // namespace classlib
