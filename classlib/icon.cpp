#include "classlib/icon.h"

#include <cstdlib>

#include "classlib/canvas.h"
#include "classlib/consts.h"

namespace classlib {

using namespace win32;

TIcon::~TIcon() {
    if (handle_ != nullptr) DestroyIcon(handle_);
}

void TIcon::SetWidth(int width) {
    if (handle_ == nullptr) width_ = width;
}

void TIcon::SetHeight(int height) {
    if (handle_ == nullptr) height_ = height;
}

void TIcon::SetHandle(HICON icon) {
    if (icon == handle_) return;
    if (handle_ != nullptr) DestroyIcon(handle_);
    handle_ = icon;
    if (icon != nullptr) {
        ICONINFO info{};
        if (GetIconInfo(icon, &info)) {
            BITMAP bm{};
            HBITMAP source = info.hbmColor != nullptr ? info.hbmColor : info.hbmMask;
            if (GetObjectA(source, sizeof(bm), &bm) != 0) {
                width_ = bm.bmWidth;
                // A monochrome icon keeps image and mask in one bitmap, one
                // above the other.
                height_ = info.hbmColor != nullptr ? std::abs(bm.bmHeight) : std::abs(bm.bmHeight) / 2;
            }
            if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
            if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
        }
    }
    Changed();
}

HICON TIcon::ReleaseHandle() {
    HICON h = handle_;
    handle_ = nullptr;
    return h;
}

void TIcon::Draw(TCanvas* canvas, const TRect& r) {
    if (handle_ == nullptr) return;
    DrawIconEx(canvas->Handle(), r.left, r.top, handle_, RectWidth(r), RectHeight(r), 0, nullptr, DI_NORMAL);
}

void TIcon::LoadFromStream(TStream*) { throw EInvalidGraphic(SInvalidIcon); }

void TIcon::SaveToStream(TStream*) { throw EInvalidGraphic(SInvalidIcon); }

void TIcon::Assign(const TPersistent* source) {
    if (source == nullptr) {
        SetHandle(nullptr);
        return;
    }
    const auto* icon = dynamic_cast<const TIcon*>(source);
    if (icon == nullptr) {
        TGraphic::Assign(source);
        return;
    }
    if (icon == this) return;
    SetHandle(icon->handle_ != nullptr ? CopyIcon(icon->handle_) : nullptr);
    if (icon->handle_ == nullptr) {
        width_ = icon->width_;
        height_ = icon->height_;
    }
}

}  // namespace classlib
