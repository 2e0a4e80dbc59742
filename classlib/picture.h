// TPicture, the holder of one graphic of any kind (bitmap, icon or
// metafile), as image controls and picture properties keep them.
#pragma once

#include <memory>
#include <string>

#include "classlib/graphic.h"

namespace classlib {

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;

    TGraphic* Graphic() const { return graphic_.get(); }
    // Keeps a copy of graphic (of the same class); null empties the picture.
    void SetGraphic(const TGraphic* graphic);
    // The graphic as a bitmap, icon or metafile; a picture of another kind
    // is replaced by an empty one of the asked kind.
    TBitmap* Bitmap();
    TIcon* Icon();
    TMetafile* Metafile();
    int Width() const;
    int Height() const;

    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);
    void Assign(const TPersistent* source) override;

    TNotifyEvent OnChange;

protected:
    void AssignTo(TPersistent* dest) const override;
    virtual void Changed();

private:
    void Take(std::unique_ptr<TGraphic> graphic);
    std::unique_ptr<TGraphic> graphic_;
};

}  // namespace classlib
