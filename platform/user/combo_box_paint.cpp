// The combo box's look and layout: the sunken field, the drop-down
// button, the selection shown in the field (highlighted while focused)
// or drawn by the owner, and where the edit and a simple list go.
#include <algorithm>

#include "platform/user/combo_box.h"

namespace win32::user::controls {

void ComboBox::MeasureField() {
    if (fieldMeasured_) return;
    TEXTMETRICA tm{};
    if (HDC dc = GetDC(Window())) {
        FontScope font(dc, Font());
        GetTextMetricsA(dc, &tm);
        ReleaseDC(Window(), dc);
    }
    if (tm.tmHeight > 0) itemHeight_ = tm.tmHeight + 2;
    if (Style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
        // The owner sizes the field once (item -1).
        if (HWND parent = Parent()) {
            MEASUREITEMSTRUCT mis{};
            mis.CtlType = ODT_COMBOBOX;
            mis.CtlID = static_cast<UINT>(Id());
            mis.itemID = static_cast<UINT>(-1);
            RECT client;
            GetClientRect(Window(), &client);
            mis.itemWidth = static_cast<UINT>(client.right);
            mis.itemHeight = static_cast<UINT>(itemHeight_);
            SendMessageA(parent, WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
            if (mis.itemHeight > 0) itemHeight_ = static_cast<int>(mis.itemHeight);
        }
        fieldMeasured_ = true;
    }
    fieldHeight_ = itemHeight_ + 6;
}

RECT ComboBox::FieldRect() const {
    RECT client;
    GetClientRect(Window(), &client);
    return RECT{0, 0, client.right, fieldHeight_};
}

RECT ComboBox::ButtonRect() const {
    RECT client;
    GetClientRect(Window(), &client);
    const int w = GetSystemMetrics(SM_CXVSCROLL);
    return RECT{std::max<LONG>(2, client.right - 2 - w), 2, client.right - 2, fieldHeight_ - 2};
}

void ComboBox::Layout() {
    HWND self = Window();
    RECT client;
    GetClientRect(self, &client);
    if (Kind() != CBS_SIMPLE && !sizing_) {
        RECT wr;
        GetWindowRect(self, &wr);
        const int frame = (wr.bottom - wr.top) - client.bottom;
        if (wr.bottom - wr.top != fieldHeight_ + frame) {
            sizing_ = true;
            SetWindowPos(self, nullptr, 0, 0, wr.right - wr.left, fieldHeight_ + frame,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            sizing_ = false;
            GetClientRect(self, &client);
        }
    }
    if (edit_) {
        RECT e{3, 3, client.right - 3, fieldHeight_ - 3};
        if (Kind() != CBS_SIMPLE) e.right = ButtonRect().left - 1;
        MoveWindow(edit_, e.left, e.top, std::max<LONG>(0, e.right - e.left), std::max<LONG>(0, e.bottom - e.top),
                   TRUE);
    }
    if (Kind() == CBS_SIMPLE && list_) {
        MoveWindow(list_, 0, fieldHeight_, client.right, std::max(0, static_cast<int>(client.bottom) - fieldHeight_),
                   TRUE);
    }
}

LRESULT ComboBox::OnPaint(HDC given) {
    PAINTSTRUCT ps{};
    HDC dc = given ? given : BeginPaint(Window(), &ps);
    if (!dc) return 0;
    const bool enabled = IsWindowEnabled(Window()) != FALSE;
    RECT inner = FieldRect();
    DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    if (Kind() != CBS_SIMPLE) {
        RECT b = ButtonRect();
        UINT state = DFCS_SCROLLCOMBOBOX;
        if (buttonDown_ && dropped_) state |= DFCS_PUSHED | DFCS_FLAT;
        if (!enabled) state |= DFCS_INACTIVE;
        DrawFrameControl(dc, &b, DFC_SCROLL, state);
        inner.right = b.left;
    }
    if (edit_) {
        // The strip round the edit, which paints itself.
        RECT e;
        GetWindowRect(edit_, &e);
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&e), 2);
        int saved = SaveDC(dc);
        ExcludeClipRect(dc, e.left, e.top, e.right, e.bottom);
        FillRect(dc, &inner, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
        RestoreDC(dc, saved);
    } else {
        PaintField(dc, inner);
    }
    if (!given) EndPaint(Window(), &ps);
    return 0;
}

void ComboBox::PaintField(HDC dc, const RECT& inner) {
    const bool enabled = IsWindowEnabled(Window()) != FALSE;
    HBRUSH brush = ControlColor(dc, WM_CTLCOLORLISTBOX);
    if (!brush) brush = GetSysColorBrush(COLOR_WINDOW);
    FillRect(dc, &inner, brush);
    RECT item = inner;
    InflateRect(&item, -1, -1);
    const bool focus = focused_ && !dropped_;
    FontScope font(dc, Font());
    if (Style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
        HWND parent = Parent();
        if (!parent) return;
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_COMBOBOX;
        dis.CtlID = static_cast<UINT>(Id());
        dis.itemID = static_cast<UINT>(committed_);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = ODS_COMBOBOXEDIT;
        if (focus) dis.itemState |= ODS_SELECTED | ODS_FOCUS;
        if (!enabled) dis.itemState |= ODS_DISABLED;
        dis.hwndItem = Window();
        dis.hDC = dc;
        dis.rcItem = item;
        LRESULT data = committed_ >= 0 ? ToList(LB_GETITEMDATA, static_cast<WPARAM>(committed_), 0) : 0;
        dis.itemData = data == LB_ERR ? 0 : static_cast<ULONG_PTR>(data);
        SendMessageA(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    COLORREF oldText = GetTextColor(dc);
    if (focus) {
        FillRect(dc, &item, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else if (!enabled) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    const ComboList* list = List();
    if (const std::string* text = list ? list->TextAt(committed_) : nullptr) {
        RECT t = item;
        t.left += 1;
        int oldMode = SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, text->c_str(), static_cast<int>(text->size()), &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SetBkMode(dc, oldMode);
    }
    SetTextColor(dc, oldText);
    if (focus) DrawFocusRect(dc, &item);
}

}  // namespace win32::user::controls
