// TMetafile, an enhanced metafile as a picture, and TMetafileCanvas, the
// canvas that records into one against a reference device.
#pragma once

#include "classlib/canvas.h"
#include "classlib/graphic.h"

namespace classlib {

class TMetafile : public TGraphic {
public:
    TMetafile() = default;
    ~TMetafile() override;

    bool Empty() const override { return handle_ == nullptr; }
    // In units of the device the metafile is recorded for (the reference
    // device of its canvas); a recording keeps the size set before it.
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    // The frame in 0.01 mm, as the metafile's header holds it.
    int MMWidth() const;
    int MMHeight() const;
    bool Enhanced() const { return true; }

    win32::HENHMETAFILE Handle() const { return handle_; }
    // Takes ownership of metafile.
    void SetHandle(win32::HENHMETAFILE metafile);
    win32::HENHMETAFILE ReleaseHandle();
    void Clear();

    void Draw(TCanvas* canvas, const TRect& r) override;
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
    void Assign(const TPersistent* source) override;

private:
    friend class TMetafileCanvas;
    win32::HENHMETAFILE handle_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Records into metafile from construction to destruction; the recording
// then becomes the metafile's image. A null reference means the screen.
class TMetafileCanvas : public TCanvas {
public:
    TMetafileCanvas(TMetafile* metafile, win32::HDC referenceDevice);
    TMetafileCanvas(TMetafile* metafile, win32::HDC referenceDevice, const std::string& createdBy,
                    const std::string& description);
    ~TMetafileCanvas() override;

private:
    void Open(win32::HDC referenceDevice, const char* description);
    TMetafile* metafile_;
    win32::HDC recordDc_ = nullptr;
};

}  // namespace classlib
