// TIcon: an icon handle as a picture (drawn with its mask).
#pragma once

#include "classlib/graphic.h"

namespace classlib {

class TIcon : public TGraphic {
public:
    TIcon() = default;
    ~TIcon() override;

    bool Empty() const override { return handle_ == nullptr; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // Icons keep the size of their image; these only take effect while empty.
    void SetWidth(int width) override;
    void SetHeight(int height) override;

    win32::HICON Handle() const { return handle_; }
    // Takes ownership of icon.
    void SetHandle(win32::HICON icon);
    win32::HICON ReleaseHandle();

    void Draw(TCanvas* canvas, const TRect& r) override;
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
    void Assign(const TPersistent* source) override;

private:
    win32::HICON handle_ = nullptr;
    int width_ = 32;
    int height_ = 32;
};

}  // namespace classlib
