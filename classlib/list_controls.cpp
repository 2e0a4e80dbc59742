#include "classlib/list_controls.h"

#include <algorithm>
#include <vector>

#include "classlib/consts.h"
#include "classlib/exceptions.h"
#include "classlib/forms.h"
#include "classlib/graphics.h"
#include "classlib/list.h"
#include "classlib/messages.h"

namespace classlib {

using namespace win32;

namespace {

constexpr TListMessages kListBoxMessages{LB_GETCOUNT,      LB_GETTEXT,     LB_GETTEXTLEN,   LB_ADDSTRING,
                                         LB_INSERTSTRING,  LB_DELETESTRING, LB_RESETCONTENT, LB_GETITEMDATA,
                                         LB_SETITEMDATA,   static_cast<UINT>(LB_ERR)};
constexpr TListMessages kComboBoxMessages{CB_GETCOUNT,     CB_GETLBTEXT,    CB_GETLBTEXTLEN, CB_ADDSTRING,
                                          CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETITEMDATA,
                                          CB_SETITEMDATA,  static_cast<UINT>(CB_ERR)};

// Answers WM_CTLCOLOR* with the control's font colour and background.
void AnswerColors(TWinControl* control, TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToRGB(control->Font()->Color()));
    SetBkColor(dc, ColorToRGB(control->Color()));
    control->Brush()->SetColor(control->Color());
    m.Result = reinterpret_cast<LRESULT>(control->Brush()->Handle());
}

TOwnerDrawState OwnerDrawState(UINT itemState) {
    TOwnerDrawState state;
    if (itemState & ODS_SELECTED) state += odSelected;
    if (itemState & ODS_GRAYED) state += odGrayed;
    if (itemState & ODS_DISABLED) state += odDisabled;
    if (itemState & ODS_CHECKED) state += odChecked;
    if (itemState & ODS_FOCUS) state += odFocused;
    if (itemState & ODS_DEFAULT) state += odDefault;
    if (itemState & ODS_COMBOBOXEDIT) state += odComboBoxEdit;
    return state;
}

// Paints one owner-drawn item of a list or combo box: the canvas on the
// window's DC with the control's font and colours, the highlight of a
// selected item, `draw` for the item itself and the focus rectangle.
void DrawOwnerItem(TWinControl* control, TCanvas* canvas, const DRAWITEMSTRUCT& s,
                   const std::function<void(int, TRect, TOwnerDrawState)>& draw) {
    struct Release {
        TCanvas* canvas;
        ~Release() { canvas->SetHandle(nullptr); }
    } release{canvas};
    TOwnerDrawState state = OwnerDrawState(s.itemState);
    canvas->SetHandle(s.hDC);
    canvas->SetFont(control->Font());
    canvas->SetBrush(control->Brush());
    canvas->Brush()->SetColor(control->Color());
    int index = static_cast<int>(s.itemID);
    if (index >= 0 && state.Contains(odSelected)) {
        canvas->Brush()->SetColor(clHighlight);
        canvas->Font()->SetColor(clHighlightText);
    }
    TRect rect = s.rcItem;
    if (index >= 0) draw(index, rect, state);
    else canvas->FillRect(rect);
    if (state.Contains(odFocused)) canvas->DrawFocusRect(rect);
}

}  // namespace

// ---- TListControlItems ------------------------------------------------------------

TListControlItems::TListControlItems(TWinControl* control, const TListMessages& messages)
    : control_(control), msg_(messages) {
    stored_.SetDuplicates(dupAccept);
}

LRESULT TListControlItems::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return SendMessageA(control_->Handle(), msg, wParam, lParam);
}

void TListControlItems::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) Error(SListIndexError, index);
}

int TListControlItems::Count() const {
    if (!InWindow()) return stored_.Count();
    return static_cast<int>(std::max<LRESULT>(Send(msg_.count, 0, 0), 0));
}

std::string TListControlItems::Get(int index) const {
    if (!InWindow()) return stored_.Get(index);
    CheckIndex(index);
    LRESULT length = Send(msg_.getTextLen, static_cast<WPARAM>(index), 0);
    std::string text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
    LRESULT got = Send(msg_.getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(got, 0)));
    return text;
}

TObject* TListControlItems::GetObject(int index) const {
    if (!InWindow()) return stored_.GetObject(index);
    CheckIndex(index);
    return reinterpret_cast<TObject*>(Send(msg_.getData, static_cast<WPARAM>(index), 0));
}

void TListControlItems::PutObject(int index, TObject* object) {
    if (!InWindow()) return stored_.PutObject(index, object);
    CheckIndex(index);
    Send(msg_.setData, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
}

int TListControlItems::Add(const std::string& s) {
    if (!InWindow()) return stored_.Add(s);
    LRESULT index = Send(msg_.add, 0, reinterpret_cast<LPARAM>(s.c_str()));
    if (index < 0) throw EOutOfResources(SInsertLineError);
    return static_cast<int>(index);
}

void TListControlItems::Insert(int index, const std::string& s) {
    if (!InWindow()) {
        // A sorted list puts the item where it sorts, as the window does.
        if (stored_.Sorted()) stored_.Add(s);
        else stored_.Insert(index, s);
        return;
    }
    if (index < 0 || index > Count()) Error(SListIndexError, index);
    if (Send(msg_.insert, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str())) < 0) {
        throw EOutOfResources(SInsertLineError);
    }
}

void TListControlItems::Delete(int index) {
    if (!InWindow()) return stored_.Delete(index);
    CheckIndex(index);
    Send(msg_.remove, static_cast<WPARAM>(index), 0);
}

void TListControlItems::Clear() {
    if (!InWindow()) return stored_.Clear();
    Send(msg_.reset, 0, 0);
}

void TListControlItems::SetSorted(bool sorted) { stored_.SetSorted(sorted); }

void TListControlItems::SaveFromWindow() {
    if (!control_->HandleAllocated()) return;
    stored_.Clear();
    bool sorted = stored_.Sorted();
    // The window's order is already the sorted one.
    stored_.SetSorted(false);
    int n = Count();
    for (int i = 0; i < n; ++i) stored_.AddObject(Get(i), GetObject(i));
    stored_.SetSorted(sorted);
    moving_ = true;
}

void TListControlItems::RestoreToWindow() {
    moving_ = false;
    if (!control_->HandleAllocated()) return;
    HWND h = control_->Handle();
    Send(msg_.reset, 0, 0);
    for (int i = 0; i < stored_.Count(); ++i) {
        LRESULT at = SendMessageA(h, msg_.add, 0, reinterpret_cast<LPARAM>(stored_.Get(i).c_str()));
        if (at >= 0) SendMessageA(h, msg_.setData, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(stored_.GetObject(i)));
    }
    stored_.Clear();
}

void TListControlItems::SetUpdateState(bool updating) {
    if (!InWindow()) return;
    SendMessageA(control_->Handle(), WM_SETREDRAW, !updating, 0);
    if (!updating) control_->Refresh();
}

// ---- TCustomListBox --------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner),
      items_(std::make_unique<TListControlItems>(this, kListBoxMessages)),
      canvas_(std::make_unique<TCanvas>()) {
    // The window tracks the mouse and reports clicks itself.
    SetControlStyle({csSetCaption, csDoubleClicks, csOpaque});
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
    SetParentColor(false);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, "LISTBOX");
    p.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
    if (sorted_) p.Style |= LBS_SORT;
    if (multiSelect_) p.Style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (style_ == lbOwnerDrawFixed) p.Style |= LBS_OWNERDRAWFIXED;
    if (style_ == lbOwnerDrawVariable) p.Style |= LBS_OWNERDRAWVARIABLE;
    p.ExStyle |= WS_EX_CLIENTEDGE;
    p.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListBox::InitializeWindow() {
    if (style_ != lbStandard) SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, itemHeight_);
    items_->RestoreToWindow();
    if (itemIndex_ >= 0) SetItemIndex(itemIndex_);
}

void TCustomListBox::DestroyWnd() {
    if (HandleAllocated() && !ComponentState().Contains(csDestroying)) {
        itemIndex_ = ItemIndex();
        itemHeight_ = ItemHeight();
        items_->SaveFromWindow();
    }
    TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex() {
    if (!HandleAllocated()) return itemIndex_;
    UINT msg = multiSelect_ ? LB_GETCARETINDEX : LB_GETCURSEL;
    return static_cast<int>(SendMessageA(Handle(), msg, 0, 0));
}

void TCustomListBox::SetItemIndex(int index) {
    if (!HandleAllocated()) {
        itemIndex_ = index;
        return;
    }
    if (multiSelect_) SendMessageA(Handle(), LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    else SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomListBox::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    sorted_ = sorted;
    items_->SetSorted(sorted);
    RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool multiSelect) {
    if (multiSelect == multiSelect_) return;
    multiSelect_ = multiSelect;
    RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool extended) {
    if (extended == extendedSelect_) return;
    extendedSelect_ = extended;
    RecreateWnd();
}

bool TCustomListBox::Selected(int index) {
    LRESULT r = SendMessageA(Handle(), LB_GETSEL, static_cast<WPARAM>(index), 0);
    if (r == LB_ERR) throw EListError(FormatResource(SListIndexError, {std::to_string(index)}));
    return r > 0;
}

void TCustomListBox::SetSelected(int index, bool selected) {
    if (index < 0 || index >= items_->Count()) {
        throw EListError(FormatResource(SListIndexError, {std::to_string(index)}));
    }
    if (multiSelect_) SendMessageA(Handle(), LB_SETSEL, selected, index);
    else SendMessageA(Handle(), LB_SETCURSEL, selected ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1), 0);
}

int TCustomListBox::SelCount() {
    if (!multiSelect_) return ItemIndex() >= 0 ? 1 : 0;
    return static_cast<int>(SendMessageA(Handle(), LB_GETSELCOUNT, 0, 0));
}

int TCustomListBox::ItemHeight() {
    if (!HandleAllocated()) return itemHeight_;
    LRESULT h = SendMessageA(Handle(), LB_GETITEMHEIGHT, 0, 0);
    return h > 0 ? static_cast<int>(h) : itemHeight_;
}

void TCustomListBox::SetItemHeight(int height) {
    if (height <= 0) return;
    itemHeight_ = height;
    if (HandleAllocated() && style_ != lbStandard) {
        SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, height);
        Invalidate();
    }
}

void TCustomListBox::SetStyle(TListBoxStyle style) {
    if (style == style_) return;
    style_ = style;
    RecreateWnd();
}

int TCustomListBox::TopIndex() { return static_cast<int>(SendMessageA(Handle(), LB_GETTOPINDEX, 0, 0)); }

void TCustomListBox::SetTopIndex(int index) { SendMessageA(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0); }

int TCustomListBox::ItemAtPos(TPoint pos, bool existing) {
    LRESULT r = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(pos.x, pos.y));
    int index = LOWORD(r);
    bool outside = HIWORD(r) != 0;
    if (items_->Count() == 0) return existing ? -1 : 0;
    if (outside && existing) return -1;
    return index;
}

TRect TCustomListBox::ItemRect(int index) {
    TRect r{};
    SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

void TCustomListBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    canvas_->FillRect(rect);
    if (index >= 0 && index < items_->Count()) {
        canvas_->TextOut(rect.left + 2, rect.top, items_->Get(index));
    }
}

void TCustomListBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomListBox::CNMeasureItem(TMessage& m) {
    auto* s = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (s != nullptr && s->CtlType == ODT_LISTBOX) {
        int height = itemHeight_;
        if (style_ == lbOwnerDrawVariable) MeasureItem(static_cast<int>(s->itemID), height);
        s->itemHeight = static_cast<UINT>(std::max(1, height));
    }
    m.Result = TRUE;
}

void TCustomListBox::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case CN_COMMAND:
            switch (HIWORD(m.WParam)) {
                case LBN_SELCHANGE: Click(); break;
                case LBN_DBLCLK: DblClick(); break;
                default: break;
            }
            m.Result = 0;
            return;
        case CN_DRAWITEM:
            DrawOwnerItem(this, canvas_.get(), *reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam),
                          [this](int index, TRect rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
            m.Result = TRUE;
            return;
        case CN_MEASUREITEM: return CNMeasureItem(m);
        case CN_CTLCOLORLISTBOX: return AnswerColors(this, m);
        case WM_PAINT:
        case WM_ERASEBKGND:
            // The platform control paints itself.
            return DefaultHandler(m);
        default: TWinControl::Dispatch(m);
    }
}

// ---- TCustomComboBox -------------------------------------------------------------

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner),
      items_(std::make_unique<TListControlItems>(this, kComboBoxMessages)),
      canvas_(std::make_unique<TCanvas>()) {
    // The window drops its list and captures the mouse itself.
    SetControlStyle({csSetCaption, csDoubleClicks, csFixedHeight});
    SetBounds(0, 0, 145, 20);
    SetTabStop(true);
    SetColor(clWindow);
    SetParentColor(false);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, "COMBOBOX");
    p.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL;
    switch (style_) {
        case csDropDown: p.Style |= CBS_DROPDOWN; break;
        case csSimple: p.Style |= CBS_SIMPLE; break;
        case csDropDownList: p.Style |= CBS_DROPDOWNLIST; break;
        case csOwnerDrawFixed: p.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED; break;
        case csOwnerDrawVariable: p.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE; break;
    }
    if (sorted_) p.Style |= CBS_SORT;
    p.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomComboBox::InitializeWindow() {
    HWND h = Handle();
    items_->RestoreToWindow();
    if (maxLength_ > 0) SendMessageA(h, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    if (itemIndex_ >= 0) SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
    else if (HasEdit()) SetWindowTextA(h, textValue_.c_str());
    itemIndex_ = -1;
    AdjustDropDown();
}

void TCustomComboBox::DestroyWnd() {
    if (HandleAllocated() && !ComponentState().Contains(csDestroying)) {
        itemIndex_ = ItemIndex();
        // Text typed into the edit that matches no item is kept as text.
        if (HasEdit() && itemIndex_ >= 0 && Text() != items_->Get(itemIndex_)) itemIndex_ = -1;
        items_->SaveFromWindow();
    }
    TWinControl::DestroyWnd();
}

void TCustomComboBox::AdjustDropDown() {
    if (!HandleAllocated() || style_ == csSimple) return;
    HWND h = Handle();
    RECT window{};
    GetWindowRect(h, &window);
    LRESULT row = SendMessageA(h, CB_GETITEMHEIGHT, 0, 0);
    if (row <= 0) row = 16;
    int dropped = (window.bottom - window.top) + static_cast<int>(row) * std::max(1, dropDownCount_) + 2;
    SetWindowPos(h, nullptr, 0, 0, window.right - window.left, dropped,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TCustomComboBox::ItemIndex() {
    if (!HandleAllocated()) return itemIndex_;
    return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int index) {
    if (!HandleAllocated()) {
        itemIndex_ = index;
        if (index >= 0 && index < items_->Count()) textValue_ = items_->Get(index);
        return;
    }
    SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomComboBox::SetText(const std::string& text) {
    if (!HasEdit() || !HandleAllocated()) {
        int found = items_->IndexOf(text);
        if (!HasEdit() && !HandleAllocated()) itemIndex_ = found;
        if (!HasEdit() && found < 0) return;
    }
    TWinControl::SetText(text);
}

void TCustomComboBox::SetBounds(int left, int top, int width, int height) {
    int fieldHeight = Height();
    TWinControl::SetBounds(left, top, width, height);
    // The window took the height asked for as its dropped height; give it
    // back the one of DropDownCount rows.
    if (HandleAllocated() && height != fieldHeight) AdjustDropDown();
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
    if (style == style_) return;
    style_ = style;
    RecreateWnd();
}

void TCustomComboBox::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    sorted_ = sorted;
    items_->SetSorted(sorted);
    RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int count) {
    dropDownCount_ = std::max(1, count);
    AdjustDropDown();
}

bool TCustomComboBox::DroppedDown() {
    return HandleAllocated() && SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool dropped) { SendMessageA(Handle(), CB_SHOWDROPDOWN, dropped, 0); }

void TCustomComboBox::SetMaxLength(int length) {
    maxLength_ = std::max(0, length);
    if (HandleAllocated()) SendMessageA(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

bool TCustomComboBox::Focused() {
    if (!HandleAllocated()) return false;
    HWND focus = GetFocus();
    return focus != nullptr && (focus == Handle() || IsChild(Handle(), focus));
}

int TCustomComboBox::ItemHeight() {
    if (!HandleAllocated()) return itemHeight_;
    return static_cast<int>(SendMessageA(Handle(), CB_GETITEMHEIGHT, 0, 0));
}

void TCustomComboBox::SetItemHeight(int height) {
    if (height <= 0 || height == itemHeight_) return;
    itemHeight_ = height;
    // The window measures its field and items once, as it is made.
    if (OwnerDrawn()) RecreateWnd();
}

void TCustomComboBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    canvas_->FillRect(rect);
    if (index >= 0 && index < items_->Count()) canvas_->TextOut(rect.left + 2, rect.top, items_->Get(index));
}

void TCustomComboBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomComboBox::CNMeasureItem(TMessage& m) {
    auto* s = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (s != nullptr && s->CtlType == ODT_COMBOBOX) {
        int height = itemHeight_;
        // The field (item -1) keeps ItemHeight; the list's items may differ.
        int index = static_cast<int>(s->itemID);
        if (style_ == csOwnerDrawVariable && index >= 0) MeasureItem(index, height);
        s->itemHeight = static_cast<UINT>(std::max(1, height));
    }
    m.Result = TRUE;
}

void TCustomComboBox::Clear() {
    items_->Clear();
    if (HasEdit()) TWinControl::SetText("");
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case CN_COMMAND:
            switch (HIWORD(m.WParam)) {
                case CBN_SELCHANGE:
                case CBN_EDITCHANGE: Change(); break;
                case CBN_DROPDOWN:
                    if (OnDropDown) OnDropDown(this);
                    break;
                case CBN_CLOSEUP:
                    if (OnCloseUp) OnCloseUp(this);
                    break;
                case CBN_SETFOCUS:
                    // The focus may have gone straight into the edit, which
                    // is no control of the form's: the form learns of it here.
                    if (TCustomForm* form = GetParentForm(this); form != nullptr && form->ActiveControl() != this) {
                        form->SetFocusedControl(this);
                    }
                    break;
                default: break;
            }
            m.Result = 0;
            return;
        case CN_DRAWITEM:
            DrawOwnerItem(this, canvas_.get(), *reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam),
                          [this](int index, TRect rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
            m.Result = TRUE;
            return;
        case CN_MEASUREITEM: return CNMeasureItem(m);
        case CN_CTLCOLORLISTBOX:
        case CN_CTLCOLOREDIT: return AnswerColors(this, m);
        case WM_PAINT:
        case WM_ERASEBKGND: return DefaultHandler(m);
        default: TWinControl::Dispatch(m);
    }
}

}  // namespace classlib
