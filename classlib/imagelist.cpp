#include "classlib/imagelist.h"

#include <algorithm>

#include "classlib/bitmap.h"
#include "classlib/consts.h"
#include "classlib/exceptions.h"
#include "classlib/icon.h"

namespace classlib {

using namespace win32;

TChangeLink::~TChangeLink() {
    if (sender_ != nullptr) sender_->UnRegisterChanges(this);
}

void TChangeLink::Change() {
    if (OnChange) OnChange(sender_);
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::TCustomImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(width), height_(height) {}

TCustomImageList::~TCustomImageList() {
    // The links outlive the list here: they must not call back into it.
    for (TChangeLink* link : links_) link->SetSender(nullptr);
    links_.clear();
    FreeHandle();
}

void TCustomImageList::CreateImageList() {
    if (handle_ != nullptr) return;
    UINT flags = ILC_COLOR32 | (masked_ ? ILC_MASK : 0);
    handle_ = ImageList_Create(width_, height_, flags, allocBy_, allocBy_);
    if (handle_ == nullptr) throw EInvalidOperation(SImageListFail);
    if (bkColor_ != clNone) ImageList_SetBkColor(handle_, ColorToRGB(bkColor_));
}

void TCustomImageList::FreeHandle() {
    if (handle_ != nullptr) ImageList_Destroy(handle_);
    handle_ = nullptr;
}

HIMAGELIST TCustomImageList::Handle() {
    CreateImageList();
    return handle_;
}

int TCustomImageList::Count() const { return handle_ != nullptr ? ImageList_GetImageCount(handle_) : 0; }

void TCustomImageList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) throw EInvalidOperation(SImageIndexError);
}

void TCustomImageList::SetWidth(int width) {
    if (width == width_ || width <= 0) return;
    width_ = width;
    FreeHandle();
    Change();
}

void TCustomImageList::SetHeight(int height) {
    if (height == height_ || height <= 0) return;
    height_ = height;
    FreeHandle();
    Change();
}

void TCustomImageList::SetMasked(bool masked) {
    if (masked == masked_) return;
    masked_ = masked;
    FreeHandle();
    Change();
}

void TCustomImageList::SetBkColor(TColor color) {
    bkColor_ = color;
    if (handle_ != nullptr) ImageList_SetBkColor(handle_, color == clNone ? CLR_NONE : ColorToRGB(color));
    Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle style) {
    if (style == drawingStyle_) return;
    drawingStyle_ = style;
    Change();
}

void TCustomImageList::SetImageType(TImageType type) {
    if (type == imageType_) return;
    imageType_ = type;
    Change();
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
    if (image == nullptr || image->Empty()) return -1;
    image->Dormant();
    if (mask != nullptr) mask->Dormant();
    int index = ImageList_Add(Handle(), image->Handle(), mask != nullptr ? mask->Handle() : nullptr);
    if (index >= 0) Change();
    return index;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (image == nullptr || image->Empty()) return -1;
    if (!masked_) return Add(image, nullptr);
    image->Dormant();
    int index = ImageList_AddMasked(Handle(), image->Handle(), ColorToRGB(maskColor));
    if (index >= 0) Change();
    return index;
}

int TCustomImageList::AddIcon(TIcon* icon) {
    if (icon == nullptr || icon->Empty()) return -1;
    int index = ImageList_AddIcon(Handle(), icon->Handle());
    if (index >= 0) Change();
    return index;
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
    CheckIndex(index);
    image->Dormant();
    if (mask != nullptr) mask->Dormant();
    ImageList_Replace(Handle(), index, image->Handle(), mask != nullptr ? mask->Handle() : nullptr);
    Change();
}

void TCustomImageList::ReplaceMasked(int index, TBitmap* image, TColor maskColor) {
    CheckIndex(index);
    // Replacing keeps the index: add the new picture, then move it in place.
    image->Dormant();
    BeginUpdate();
    int added = ImageList_AddMasked(Handle(), image->Handle(), ColorToRGB(maskColor));
    if (added >= 0) {
        HICON icon = ImageList_GetIcon(handle_, added, ILD_NORMAL);
        ImageList_ReplaceIcon(handle_, index, icon);
        DestroyIcon(icon);
        ImageList_Remove(handle_, added);
    }
    changed_ = true;
    EndUpdate();
}

void TCustomImageList::Delete(int index) {
    CheckIndex(index);
    ImageList_Remove(handle_, index);
    Change();
}

void TCustomImageList::Clear() {
    if (handle_ != nullptr) ImageList_RemoveAll(handle_);
    Change();
}

void TCustomImageList::Move(int from, int to) {
    CheckIndex(from);
    CheckIndex(to);
    if (from == to) return;
    BeginUpdate();
    std::vector<HICON> icons;
    for (int i = 0; i < Count(); ++i) icons.push_back(ImageList_GetIcon(handle_, i, ILD_NORMAL));
    HICON moved = icons[static_cast<std::size_t>(from)];
    icons.erase(icons.begin() + from);
    icons.insert(icons.begin() + to, moved);
    for (int i = 0; i < static_cast<int>(icons.size()); ++i) {
        ImageList_ReplaceIcon(handle_, i, icons[static_cast<std::size_t>(i)]);
        DestroyIcon(icons[static_cast<std::size_t>(i)]);
    }
    changed_ = true;
    EndUpdate();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    if (handle_ == nullptr || index < 0 || index >= Count()) return;
    static constexpr UINT kStyles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
    UINT style = kStyles[drawingStyle_];
    if (imageType_ == itMask) style |= ILD_MASK;
    DoDraw(index, canvas, x, y, style, enabled);
}

void TCustomImageList::DrawOverlay(TCanvas* canvas, int x, int y, int index, int overlay, bool enabled) {
    if (overlay < 0 || overlay > 15) return;
    if (handle_ == nullptr || index < 0 || index >= Count()) return;
    DoDraw(index, canvas, x, y, ILD_NORMAL | static_cast<UINT>((overlay + 1) << 8), enabled);
}

void TCustomImageList::DoDraw(int index, TCanvas* canvas, int x, int y, UINT style, bool enabled) {
    HDC dc = canvas->Handle();
    if (enabled) {
        COLORREF bk = bkColor_ == clNone ? CLR_NONE : ColorToRGB(bkColor_);
        COLORREF blend = blendColor_ == clNone ? CLR_NONE : blendColor_ == clDefault ? CLR_DEFAULT
                                                                                      : ColorToRGB(blendColor_);
        ImageList_DrawEx(handle_, index, dc, x, y, 0, 0, bk, blend, style);
        return;
    }
    // The picture's shape as a mask: 0 where it has pixels.
    HDC monoDc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateBitmap(width_, height_, 1, 1, nullptr);
    HGDIOBJ oldMono = SelectObject(monoDc, mono);
    PatBlt(monoDc, 0, 0, width_, height_, WHITENESS);
    if (masked_) {
        ImageList_DrawEx(handle_, index, monoDc, 0, 0, 0, 0, CLR_DEFAULT, 0, ILD_MASK);
    } else {
        ImageList_DrawEx(handle_, index, monoDc, 0, 0, 0, 0, CLR_DEFAULT, 0, ILD_NORMAL);
    }
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    COLORREF oldBk = ::win32::SetBkColor(dc, RGB(255, 255, 255));
    // Where the mask is 0 the brush goes down, elsewhere the DC stays.
    constexpr DWORD kPaintWhereZero = 0x00B8074A;
    HBRUSH highlight = CreateSolidBrush(ColorToRGB(clBtnHighlight));
    HGDIOBJ oldBrush = SelectObject(dc, highlight);
    BitBlt(dc, x + 1, y + 1, width_, height_, monoDc, 0, 0, kPaintWhereZero);
    HBRUSH shadow = CreateSolidBrush(ColorToRGB(clBtnShadow));
    SelectObject(dc, shadow);
    BitBlt(dc, x, y, width_, height_, monoDc, 0, 0, kPaintWhereZero);
    SelectObject(dc, oldBrush);
    DeleteObject(highlight);
    DeleteObject(shadow);
    SetTextColor(dc, oldText);
    ::win32::SetBkColor(dc, oldBk);
    SelectObject(monoDc, oldMono);
    DeleteObject(mono);
    DeleteDC(monoDc);
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) {
    if (image == nullptr || handle_ == nullptr || index < 0 || index >= Count()) return;
    image->SetSize(width_, height_);
    TCanvas* c = image->Canvas();
    c->Brush()->SetColor(bkColor_ == clNone ? clBtnFace : bkColor_);
    c->FillRect(Rect(0, 0, width_, height_));
    ImageList_Draw(handle_, index, c->Handle(), 0, 0, ILD_NORMAL);
}

void TCustomImageList::GetIcon(int index, TIcon* icon) {
    if (icon == nullptr || handle_ == nullptr || index < 0 || index >= Count()) return;
    icon->SetHandle(ImageList_GetIcon(handle_, index, ILD_NORMAL));
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
    if (link == nullptr) return;
    if (link->Sender() != nullptr && link->Sender() != this) link->Sender()->UnRegisterChanges(link);
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
    link->SetSender(this);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
    if (link != nullptr && link->Sender() == this) link->SetSender(nullptr);
}

void TCustomImageList::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && changed_) Change();
}

void TCustomImageList::Change() {
    if (updateCount_ > 0) {
        changed_ = true;
        return;
    }
    changed_ = false;
    // A link may unregister itself (or others) from its handler.
    for (TChangeLink* link : std::vector<TChangeLink*>(links_)) {
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->Change();
    }
    if (OnChange) OnChange(this);
}

void TCustomImageList::Assign(const TPersistent* source) {
    const auto* other = dynamic_cast<const TCustomImageList*>(source);
    if (other == nullptr) {
        TComponent::Assign(source);
        return;
    }
    if (other == this) return;
    FreeHandle();
    width_ = other->width_;
    height_ = other->height_;
    masked_ = other->masked_;
    bkColor_ = other->bkColor_;
    blendColor_ = other->blendColor_;
    drawingStyle_ = other->drawingStyle_;
    imageType_ = other->imageType_;
    allocBy_ = other->allocBy_;
    auto* from = const_cast<TCustomImageList*>(other);
    if (from->handle_ != nullptr) {
        CreateImageList();
        for (int i = 0; i < from->Count(); ++i) {
            HICON icon = ImageList_GetIcon(from->handle_, i, ILD_NORMAL);
            ImageList_AddIcon(handle_, icon);
            DestroyIcon(icon);
        }
    }
    Change();
}

}  // namespace classlib
