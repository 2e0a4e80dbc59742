#include "classlib/graphic.h"

#include <algorithm>
#include <cctype>

#include "classlib/bitmap.h"
#include "classlib/icon.h"
#include "classlib/metafile.h"
#include "classlib/consts.h"
#include "classlib/streams.h"

namespace classlib {

void TGraphic::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    Changed();
}

void TGraphic::SetModified(bool modified) {
    if (modified) {
        modified_ = true;
        if (OnChange) OnChange(this);
    } else {
        modified_ = false;
    }
}

void TGraphic::Changed() {
    modified_ = true;
    if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const std::string& fileName) {
    TMemoryStream stream;
    SaveToStream(&stream);
    stream.SaveToFile(fileName);
}

}  // namespace classlib
