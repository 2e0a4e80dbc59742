// TGraphic, the base of pictures a canvas can draw (bitmaps, icons,
// metafiles).
#pragma once

#include <memory>
#include <string>

#include "classlib/graphics.h"

namespace classlib {

class TCanvas;
class TStream;
class TBitmap;
class TIcon;
class TMetafile;

class TGraphic : public TPersistent {
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool transparent);
    virtual win32::HPALETTE Palette() const { return nullptr; }
    virtual void SetPalette(win32::HPALETTE) {}
    bool Modified() const { return modified_; }
    void SetModified(bool modified);

    // Draws the picture into r of the canvas (stretched to fit).
    virtual void Draw(TCanvas* canvas, const TRect& r) = 0;

    virtual void LoadFromStream(TStream* stream) = 0;
    virtual void SaveToStream(TStream* stream) = 0;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    bool transparent_ = false;
    bool modified_ = false;
};

}  // namespace classlib
