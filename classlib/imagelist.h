// TImageList: pictures of one size on a platform image list, drawn by
// index (normally or in the disabled look), with change links that tell
// every user of the list about each change.
#pragma once

#include <vector>

#include "classlib/component.h"
#include "classlib/graphics.h"
#include "platform/comctl/commctrl.h"

namespace classlib {

class TCanvas;
class TBitmap;
class TIcon;
class TCustomImageList;

// A user's subscription to an image list; it leaves the list when freed,
// and the list clears Sender when it goes first.
class TChangeLink : public TObject {
public:
    TChangeLink() = default;
    ~TChangeLink() override;
    TCustomImageList* Sender() const { return sender_; }
    void SetSender(TCustomImageList* sender) { sender_ = sender; }
    virtual void Change();
    TNotifyEvent OnChange;

private:
    TCustomImageList* sender_ = nullptr;
};

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* owner);
    TCustomImageList(TComponent* owner, int width, int height);
    ~TCustomImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // A new size empties the list.
    void SetWidth(int width);
    void SetHeight(int height);
    int Count() const;
    win32::HIMAGELIST Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    bool Masked() const { return masked_; }
    void SetMasked(bool masked);
    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor color);
    TColor BlendColor() const { return blendColor_; }
    void SetBlendColor(TColor color) { blendColor_ = color; }
    TDrawingStyle DrawingStyle() const { return drawingStyle_; }
    void SetDrawingStyle(TDrawingStyle style);
    TImageType ImageType() const { return imageType_; }
    void SetImageType(TImageType type);
    int AllocBy() const { return allocBy_; }
    void SetAllocBy(int allocBy) { allocBy_ = allocBy; }

    // Each returns the index of the first new picture (an image wider than
    // Width gives several), or -1.
    int Add(TBitmap* image, TBitmap* mask);
    int AddMasked(TBitmap* image, TColor maskColor);
    int AddIcon(TIcon* icon);
    void Replace(int index, TBitmap* image, TBitmap* mask);
    void ReplaceMasked(int index, TBitmap* image, TColor maskColor);
    void Delete(int index);
    void Clear();
    void Move(int from, int to);

    // Disabled pictures are drawn embossed in the button highlight and
    // shadow colours, as disabled buttons show them.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    void DrawOverlay(TCanvas* canvas, int x, int y, int index, int overlay, bool enabled = true);
    void GetBitmap(int index, TBitmap* image);
    void GetIcon(int index, TIcon* icon);

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    void Assign(const TPersistent* source) override;
    TNotifyEvent OnChange;

protected:
    virtual void Change();
    virtual void DoDraw(int index, TCanvas* canvas, int x, int y, win32::UINT style, bool enabled);

private:
    void CreateImageList();
    void FreeHandle();
    void CheckIndex(int index) const;

    int width_ = 16;
    int height_ = 16;
    bool masked_ = true;
    TColor bkColor_ = clNone;
    TColor blendColor_ = clNone;
    TDrawingStyle drawingStyle_ = dsNormal;
    TImageType imageType_ = itImage;
    int allocBy_ = 4;
    win32::HIMAGELIST handle_ = nullptr;
    std::vector<TChangeLink*> links_;
    int updateCount_ = 0;
    bool changed_ = false;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};

}  // namespace classlib
