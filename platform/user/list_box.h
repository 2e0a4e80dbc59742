// The "LISTBOX" class and the list of a combo box ("ComboLBox"): items
// with text and data, single, multiple and extended selection, sorting,
// owner drawing with fixed or variable heights, the vertical scroll bar,
// keyboard and mouse.
//
// list_box.cpp holds the items and the messages, list_box_select.cpp the
// selection, list_box_input.cpp the keyboard and the mouse,
// list_box_paint.cpp the look and the geometry.
#pragma once

#include <string>
#include <vector>

#include "platform/user/control_base.h"

namespace win32::user::controls {

class ListBox : public Control {
public:
    ListBox(HWND hwnd, const CREATESTRUCTA& create);
    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // ---- For the combo box that owns a list ---------------------------------
    int Count() const { return static_cast<int>(items_.size()); }
    int CurrentSelection() const { return selected_; }
    int Caret() const { return caret_; }
    const std::string* TextAt(int index) const;
    // Selects `index` (-1 for none) as LB_SETCURSEL does, without notifying.
    void Select(int index);
    void EnsureVisible(int index, bool partialOk = false);
    // Items that fit wholly from the top (at least one).
    int PageSize() const;
    int ItemHeight(int index) const;
    // Height of the list's client area that shows `rows` items.
    int HeightForRows(int rows) const;

protected:
    struct Item {
        std::string text;
        ULONG_PTR data = 0;
        bool selected = false;
        int height = 0;  // LBS_OWNERDRAWVARIABLE only
    };

    // Where owner-draw requests and notifications go: a list box tells its
    // parent about itself; a combo box's list speaks for the combo box.
    struct Owner {
        HWND window;
        HWND item;
        UINT type;
        UINT id;
    };
    virtual Owner OwnerOf() const;
    // The user changed the selection (LBN_SELCHANGE when LBS_NOTIFY).
    virtual void SelectionChangedByUser();
    // A press in the list gives it the focus; a combo box's list gives it
    // to the combo box instead.
    virtual void TakeFocus();

    // ---- Styles --------------------------------------------------------------
    bool MultiSel() const { return (Style() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
    bool ExtendedSel() const { return (Style() & LBS_EXTENDEDSEL) != 0; }
    bool OwnerDraw() const { return (Style() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
    bool Variable() const { return (Style() & LBS_OWNERDRAWVARIABLE) != 0; }
    bool HasStrings() const { return !OwnerDraw() || (Style() & LBS_HASSTRINGS); }
    bool NoSel() const { return (Style() & LBS_NOSEL) != 0; }

    // ---- Items (list_box.cpp) ------------------------------------------------
    LRESULT AddString(LPARAM value);
    LRESULT InsertString(int index, LPARAM value);
    LRESULT DeleteString(int index);
    LRESULT ResetContent();
    LRESULT GetText(int index, char* buffer) const;
    LRESULT GetTextLen(int index) const;
    LRESULT FindString(int start, LPARAM value, bool exact) const;
    LRESULT SelectString(int start, LPARAM value);
    LRESULT SetItemData(int index, ULONG_PTR data);
    LRESULT GetItemData(int index) const;
    LRESULT SetItemHeight(int index, int height);
    LRESULT GetItemHeight(int index) const;
    int Compare(const Item& a, const Item& b) const;
    int InsertAt(int index, Item item);
    void DeleteItemNotice(int index);
    void MeasureItem(int index);
    void MeasureFixedHeight();

    // ---- Selection (list_box_select.cpp) ------------------------------------
    LRESULT SetCurSel(int index);
    LRESULT GetCurSel() const;
    LRESULT SetSel(bool select, int index);
    LRESULT GetSel(int index) const;
    LRESULT GetSelCount() const;
    LRESULT GetSelItems(int max, int* out) const;
    LRESULT SelItemRange(bool select, int first, int last);
    LRESULT SetCaretIndex(int index, bool partial);
    LRESULT SetAnchorIndex(int index);
    // Marks every item in [first, last] (either order) and leaves the
    // others as they were; true when something changed.
    bool MarkRange(int first, int last, bool select);
    bool SelectOnly(int index);
    void SetCaret(int index);

    // ---- Keyboard and mouse (list_box_input.cpp) ----------------------------
    LRESULT OnKeyDown(WPARAM key);
    LRESULT OnChar(WPARAM ch);
    LRESULT OnLButtonDown(WPARAM keys, POINT pt, bool doubleClick);
    LRESULT OnMouseMove(WPARAM keys, POINT pt);
    LRESULT OnLButtonUp();
    LRESULT OnCaptureChanged();
    LRESULT OnSetFocus();
    LRESULT OnKillFocus();
    LRESULT OnMouseWheel(short delta);
    // While the button is held outside the list, a timer keeps scrolling.
    LRESULT OnDragTimer(UINT_PTR id);
    void StopDragTimer();
    // Moves the caret to `index` as the keyboard does, with the selection
    // following as the selection style and `keys` (MK_SHIFT, MK_CONTROL) say.
    void KeyboardMove(int index, WPARAM keys);
    void MouseSelect(int index, WPARAM keys, bool first);
    int PrefixSearch(char32_t ch);

    // ---- Look and geometry (list_box_paint.cpp) -----------------------------
    LRESULT OnPaint(HDC given);
    LRESULT OnSize();
    LRESULT OnVScroll(int code, int thumb);
    LRESULT OnSetFont(HFONT font, BOOL redraw);
    LRESULT GetItemRect(int index, RECT* rect) const;
    LRESULT ItemFromPoint(POINT pt) const;
    LRESULT SetTopIndex(int index);
    void PaintItem(HDC dc, int index, const RECT& rect, HBRUSH background);
    void DrawOwnerItem(HDC dc, int index, const RECT& rect, UINT action);
    RECT ItemRect(int index) const;
    int MaxTop() const;
    void UpdateScrollBar();
    // Shortens the window to a whole number of rows unless
    // LBS_NOINTEGRALHEIGHT (or variable heights) says otherwise.
    void FitIntegralHeight();
    void Invalidate() { InvalidateRect(Window(), nullptr, TRUE); }

    std::vector<Item> items_;
    int selected_ = -1;  // single selection: the selected item
    int caret_ = -1;     // the item with the focus rectangle
    int anchor_ = -1;    // extended selection: where a Shift range starts
    int top_ = 0;
    int itemHeight_ = 16;
    int horizontalExtent_ = 0;
    bool focused_ = false;
    bool tracking_ = false;      // the left button is down, with capture
    bool trackingMoved_ = false;
    bool deselecting_ = false;   // extended selection: a Ctrl drag clears
    bool dragTimer_ = false;
    POINT dragPoint_{0, 0};      // where the pointer was held outside the list
    WPARAM dragKeys_ = 0;
    bool fitting_ = false;
    bool scrolling_ = false;     // inside UpdateScrollBar, which may resize the client
    bool vscroll_ = false;       // made with WS_VSCROLL (the style bit goes while the bar is hidden)
    int requestedHeight_ = 0;    // the window height asked for, before fitting to whole rows
    std::string typed_;          // the prefix typed so far
    LONG typedAt_ = 0;
    LCID locale_ = 0x0411;
};

}  // namespace win32::user::controls
