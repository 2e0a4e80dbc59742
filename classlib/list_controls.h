// The list box and the combo box on the window system's "LISTBOX" and
// "COMBOBOX" classes. Their items live in the window while it exists and
// in a list of the control's own before it is made and while it is being
// remade, so they survive RecreateWnd.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "classlib/canvas.h"
#include "classlib/strings.h"
#include "classlib/wincontrol.h"

namespace classlib {

enum TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit };
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;
using TDrawItemEvent = std::function<void(TWinControl* control, int index, TRect rect, TOwnerDrawState state)>;
// Asks the height of one item of a list with items of their own heights.
using TMeasureItemEvent = std::function<void(TWinControl* control, int index, int& height)>;

// The item messages of one platform class (LB_* or CB_*).
struct TListMessages {
    win32::UINT count, getText, getTextLen, add, insert, remove, reset, getData, setData, err;
};

// The items of a list or combo box.
class TListControlItems : public TStrings {
public:
    TListControlItems(TWinControl* control, const TListMessages& messages);

    int Count() const override;
    std::string Get(int index) const override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    int Add(const std::string& s) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

    // The stored items sort as a sorted window would.
    void SetSorted(bool sorted);
    // Takes the items out of a window about to go, and puts them into a new one.
    void SaveFromWindow();
    void RestoreToWindow();

protected:
    void SetUpdateState(bool updating) override;

private:
    bool InWindow() const { return control_->HandleAllocated() && !moving_; }
    win32::LRESULT Send(win32::UINT msg, win32::WPARAM wParam, win32::LPARAM lParam) const;
    void CheckIndex(int index) const;

    TWinControl* control_;
    TListMessages msg_;
    TStringList stored_;
    bool moving_ = false;
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;

    TStrings* Items() const { return items_.get(); }
    void SetItems(const TStrings* items) { items_->Assign(items); }
    // The selected item (the focused one when MultiSelect), -1 for none.
    int ItemIndex();
    void SetItemIndex(int index);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    // Several items at once; with ExtendedSelect Shift and Ctrl extend the
    // selection, without it each click toggles an item.
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool multiSelect);
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool extended);
    bool Selected(int index);
    void SetSelected(int index, bool selected);
    int SelCount();
    int ItemHeight();
    void SetItemHeight(int height);
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle style);
    int TopIndex();
    void SetTopIndex(int index);
    // The item at a client point, -1 (or the nearest with existing false)
    // when there is none.
    int ItemAtPos(TPoint pos, bool existing);
    TRect ItemRect(int index);
    void Clear() { items_->Clear(); }
    // The canvas an owner-drawn item paints on, valid inside OnDrawItem.
    TCanvas* Canvas() const { return canvas_.get(); }

    TDrawItemEvent OnDrawItem;
    // lbOwnerDrawVariable: each item's height, ItemHeight to start with.
    TMeasureItemEvent OnMeasureItem;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& message) override;
    // Paints an item of an owner-drawn list; without OnDrawItem the item's text.
    virtual void DrawItem(int index, TRect rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);

private:
    void CNMeasureItem(TMessage& m);

    std::unique_ptr<TListControlItems> items_;
    std::unique_ptr<TCanvas> canvas_;
    TListBoxStyle style_ = lbStandard;
    int itemIndex_ = -1;  // kept while there is no window
    int itemHeight_ = 16;
    bool sorted_ = false;
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
};

// The owner-drawn styles are drop-down lists whose items OnDrawItem paints.
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TStrings* Items() const { return items_.get(); }
    void SetItems(const TStrings* items) { items_->Assign(items); }
    int ItemIndex();
    void SetItemIndex(int index);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    // Rows the dropped list shows before it scrolls.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count);
    bool DroppedDown();
    void SetDroppedDown(bool dropped);
    // Bytes the edit of csDropDown and csSimple takes, 0 for no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    // True too while the focus is in the edit of csDropDown and csSimple.
    bool Focused() override;
    int ItemHeight();
    // The owner-drawn styles' item (and field) height.
    void SetItemHeight(int height);
    void Clear();
    // The canvas an owner-drawn item paints on, valid inside OnDrawItem.
    TCanvas* Canvas() const { return canvas_.get(); }
    // A drop-down list shows the item of that text, if there is one.
    void SetText(const std::string& text) override;
    void SetBounds(int left, int top, int width, int height) override;

    // The user chose another item or edited the text.
    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    // The item in the field has index -1 when none is chosen, and
    // odComboBoxEdit in its state.
    TDrawItemEvent OnDrawItem;
    // csOwnerDrawVariable: each item's height in the list.
    TMeasureItemEvent OnMeasureItem;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& message) override;
    virtual void Change();
    virtual void DrawItem(int index, TRect rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);

private:
    bool OwnerDrawn() const { return style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable; }
    // csDropDown and csSimple type into an edit; the others choose from the list only.
    bool HasEdit() const { return style_ == csDropDown || style_ == csSimple; }
    // The height the window asks for: its field and DropDownCount rows.
    void AdjustDropDown();
    void CNMeasureItem(TMessage& m);

    std::unique_ptr<TListControlItems> items_;
    std::unique_ptr<TCanvas> canvas_;
    TComboBoxStyle style_ = csDropDown;
    int itemHeight_ = 16;
    int itemIndex_ = -1;  // kept while there is no window
    int dropDownCount_ = 8;
    int maxLength_ = 0;
    bool sorted_ = false;
};

class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
};

}  // namespace classlib
