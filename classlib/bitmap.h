// TBitmap: a picture in memory with its own canvas, monochrome conversion,
// a transparent colour (the lower-left pixel unless fixed), resources, and
// the BMP file format.
#pragma once

#include <memory>
#include <string>

#include "classlib/canvas.h"
#include "classlib/graphic.h"

namespace classlib {

class TBitmap;

// The canvas of a bitmap: a memory DC with the bitmap selected, made when
// first drawn on and put away when the bitmap changes its image.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}
    ~TBitmapCanvas() override;
    // Unbinds and frees the memory DC.
    void FreeContext();

protected:
    void CreateHandle() override;

private:
    TBitmap* bitmap_;
    win32::HDC memDc_ = nullptr;
    win32::HGDIOBJ oldBitmap_ = nullptr;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;

    bool Empty() const override { return handle_ == nullptr; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int width) override { SetSize(width, height_); }
    void SetHeight(int height) override { SetSize(width_, height); }
    // Keeps the image where old and new sizes overlap; new area is white.
    void SetSize(int width, int height);

    TCanvas* Canvas();
    win32::HBITMAP Handle() const { return handle_; }
    // Takes ownership of bitmap (null empties the picture).
    void SetHandle(win32::HBITMAP bitmap);
    // Hands the handle to the caller, who then frees it; the picture empties.
    win32::HBITMAP ReleaseHandle();
    // Frees what can be made again (the canvas's DC) and keeps the image.
    void Dormant();
    void FreeImage();

    bool Monochrome() const { return pixelFormat_ == pf1bit; }
    // Converting to monochrome turns white pixels white and all others black.
    void SetMonochrome(bool monochrome);
    TPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat format);
    win32::HPALETTE Palette() const override { return palette_; }
    void SetPalette(win32::HPALETTE palette) override { palette_ = palette; }

    // The colour drawn as see-through when Transparent is set: fixed, or in
    // automatic mode the lower-left pixel.
    TColor TransparentColor();
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);

    // A monochrome mask: 1 where the image has color.
    win32::HBITMAP CreateMask(TColor color);

    // Raises EResNotFound when the module has no such bitmap.
    void LoadFromResourceName(win32::HINSTANCE instance, const std::string& name);
    void LoadFromResourceID(win32::HINSTANCE instance, int id);

    void Draw(TCanvas* canvas, const TRect& r) override;
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
    void Assign(const TPersistent* source) override;

protected:
    void Changed() override;

private:
    friend class TBitmapCanvas;
    void ReplaceHandle(win32::HBITMAP bitmap, int width, int height);
    win32::HBITMAP CopyOf(int width, int height, bool monochrome);

    win32::HBITMAP handle_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    TPixelFormat pixelFormat_ = pfDevice;
    win32::HPALETTE palette_ = nullptr;
    TColor transparentColor_ = clDefault;
    TTransparentMode transparentMode_ = tmAuto;
    std::unique_ptr<TBitmapCanvas> canvas_;
};

class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

}  // namespace classlib
