#include "classlib/picture.h"

#include <algorithm>
#include <cctype>

#include "classlib/bitmap.h"
#include "classlib/consts.h"
#include "classlib/icon.h"
#include "classlib/metafile.h"

namespace classlib {

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}

void TPicture::Take(std::unique_ptr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (graphic_) graphic_->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

namespace {

std::unique_ptr<TGraphic> NewLike(const TGraphic* graphic) {
    if (dynamic_cast<const TBitmap*>(graphic)) return std::make_unique<TBitmap>();
    if (dynamic_cast<const TIcon*>(graphic)) return std::make_unique<TIcon>();
    if (dynamic_cast<const TMetafile*>(graphic)) return std::make_unique<TMetafile>();
    return nullptr;
}

}  // namespace

void TPicture::SetGraphic(const TGraphic* graphic) {
    if (graphic == nullptr) {
        Take(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> copy = NewLike(graphic);
    if (!copy) throw EInvalidGraphic(SInvalidImageSize);
    copy->Assign(graphic);
    Take(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
    if (!dynamic_cast<TBitmap*>(graphic_.get())) Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(graphic_.get());
}

TIcon* TPicture::Icon() {
    if (!dynamic_cast<TIcon*>(graphic_.get())) Take(std::make_unique<TIcon>());
    return static_cast<TIcon*>(graphic_.get());
}

TMetafile* TPicture::Metafile() {
    if (!dynamic_cast<TMetafile*>(graphic_.get())) Take(std::make_unique<TMetafile>());
    return static_cast<TMetafile*>(graphic_.get());
}

int TPicture::Width() const { return graphic_ ? graphic_->Width() : 0; }
int TPicture::Height() const { return graphic_ ? graphic_->Height() : 0; }

void TPicture::LoadFromFile(const std::string& fileName) {
    std::string ext = fileName.substr(fileName.find_last_of('.') == std::string::npos ? fileName.size()
                                                                                       : fileName.find_last_of('.'));
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    std::unique_ptr<TGraphic> graphic;
    if (ext == ".ico") {
        graphic = std::make_unique<TIcon>();
    } else if (ext == ".emf") {
        graphic = std::make_unique<TMetafile>();
    } else {
        graphic = std::make_unique<TBitmap>();
    }
    graphic->LoadFromFile(fileName);
    Take(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName) {
    if (graphic_) graphic_->SaveToFile(fileName);
}

void TPicture::Assign(const TPersistent* source) {
    if (source == nullptr) {
        Take(nullptr);
    } else if (const auto* picture = dynamic_cast<const TPicture*>(source)) {
        if (picture != this) SetGraphic(picture->graphic_.get());
    } else if (const auto* graphic = dynamic_cast<const TGraphic*>(source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(source);
    }
}

void TPicture::AssignTo(TPersistent* dest) const {
    if (auto* graphic = dynamic_cast<TGraphic*>(dest); graphic != nullptr && graphic_ != nullptr) {
        graphic->Assign(graphic_.get());
        return;
    }
    TPersistent::AssignTo(dest);
}

}  // namespace classlib
