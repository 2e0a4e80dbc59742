// The "COMBOBOX" class and its list, "ComboLBox". A combo box is a
// selection field (an EDIT child for CBS_SIMPLE and CBS_DROPDOWN, drawn by
// the combo box for CBS_DROPDOWNLIST) over a list box: always shown below
// the field for CBS_SIMPLE, otherwise a pop-up that drops down, captures
// the mouse and closes on a choice, a click outside, Escape, Enter, F4 or
// Alt+Down.
//
// combo_box.cpp holds the state and the messages, combo_box_drop.cpp the
// drop-down list and its keyboard and mouse, combo_box_paint.cpp the
// field's look and the layout.
#pragma once

#include "platform/user/list_box.h"

namespace win32::user::controls {

class ComboBox;

// The list of a combo box: a list box that speaks for its combo box
// (owner drawing, notifications) and, while dropped down, tracks the
// mouse with capture.
class ComboList final : public ListBox {
public:
    ComboList(HWND hwnd, const CREATESTRUCTA& create);
    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void SetDropped(bool dropped) { dropped_ = dropped; }
    // The scroll bar's own loop takes the capture for a while.
    bool InScrollBar() const { return inScrollBar_; }

private:
    Owner OwnerOf() const override;
    void SelectionChangedByUser() override;
    void TakeFocus() override;
    ComboBox* Combo() const;

    LRESULT OnDroppedMouseMove(POINT pt);
    LRESULT OnDroppedButtonDown(POINT pt);
    LRESULT OnDroppedButtonUp(POINT pt);
    LRESULT OnDroppedCaptureChanged();

    HWND combo_;
    bool dropped_ = false;
    bool inScrollBar_ = false;
};

class ComboBox final : public Control {
public:
    ComboBox(HWND hwnd, const CREATESTRUCTA& create);
    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

    static ComboBox* FromWindow(HWND hwnd);

    // ---- For the list and the edit (combo_box_drop.cpp) ----------------------
    // The user moved the list's selection (keyboard, or a click in a
    // simple combo box's list).
    void ListSelectionChanged();
    void DropDown();
    // Closes the drop-down list; `accept` keeps the list's choice.
    void CloseUp(bool accept);
    bool Dropped() const { return dropped_; }
    // Keys for the combo box, from itself or its edit; true when used.
    bool HandleKey(WPARAM key, bool alt);
    // The mouse button that dropped the list went up outside it.
    void ReleaseButton();
    void FocusEntered();
    void FocusLeaving(HWND newFocus);
    LRESULT EditDialogCode(LRESULT editCode, const MSG* msg) const;
    HWND ListWindow() const { return list_; }
    HWND EditWindow() const { return edit_; }

private:
    DWORD Kind() const { return Style() & 0x3; }
    bool HasEdit() const { return Kind() == CBS_SIMPLE || Kind() == CBS_DROPDOWN; }
    ComboList* List() const;
    LRESULT ToList(UINT msg, WPARAM wParam, LPARAM lParam) const;

    // ---- Messages (combo_box.cpp) --------------------------------------------
    LRESULT OnCreate(const CREATESTRUCTA& create);
    LRESULT OnCommand(WPARAM wParam, HWND from);
    LRESULT OnGetDlgCode(const MSG* msg) const;
    LRESULT OnSetText(LPARAM text);
    LRESULT OnGetText(WPARAM size, char* buffer) const;
    LRESULT OnGetTextLength() const;
    LRESULT OnSetFont(HFONT font, BOOL redraw);
    LRESULT OnEnable(BOOL enabled);
    LRESULT OnSetCurSel(int index);
    LRESULT OnSelectString(int start, LPARAM text);
    LRESULT OnResetContent();
    // An item went in at `at` (or the list's error).
    LRESULT OnInsertString(LRESULT at);
    LRESULT OnDeleteString(int index);
    LRESULT OnSetEditSel(LPARAM range);
    LRESULT OnGetEditSel(WPARAM start, LPARAM end) const;
    LRESULT OnSetItemHeight(int index, int height);
    LRESULT OnGetItemHeight(int index) const;
    LRESULT OnGetDroppedControlRect(RECT* rect) const;
    LRESULT OnShowDropDown(BOOL show);
    LRESULT OnLButtonDown(POINT pt);
    LRESULT OnChar(WPARAM ch);
    LRESULT OnWindowPosChanging(WINDOWPOS* pos);
    // Makes `index` the combo box's selection and shows it in the field.
    void Commit(int index);
    void ShowSelectionInEdit();
    void SubclassEdit();

    // ---- Look and layout (combo_box_paint.cpp) ---------------------------------
    LRESULT OnPaint(HDC given);
    void Layout();
    void MeasureField();
    RECT ButtonRect() const;
    RECT FieldRect() const;
    void PaintField(HDC dc, const RECT& field);

    HWND list_ = nullptr;
    HWND edit_ = nullptr;
    int committed_ = -1;         // the selection the field shows
    int fieldHeight_ = 18;       // the whole selection field, borders included
    int itemHeight_ = 12;        // the field's item (CB_GETITEMHEIGHT of -1)
    int droppedHeight_ = 100;    // the combo box's height with the list dropped
    int droppedWidth_ = 0;
    bool dropped_ = false;
    bool focused_ = false;
    bool buttonDown_ = false;
    bool extendedUi_ = false;
    bool sizing_ = false;        // resizing itself to the field's height
    bool writingEdit_ = false;   // putting the selection's text into the edit
    bool fieldMeasured_ = false;
};

}  // namespace win32::user::controls
