// The combo box's list: the pop-up that drops down below the field,
// follows the mouse with capture and closes on a choice or a click
// outside; the keys that open, close and move it; and the focus of the
// combo box as a whole (field, edit and list together).
#include <algorithm>

#include "platform/user/combo_box.h"

namespace win32::user::controls {

// ---- The list ---------------------------------------------------------------------

ComboList::ComboList(HWND hwnd, const CREATESTRUCTA& create)
    : ListBox(hwnd, create), combo_(static_cast<HWND>(create.lpCreateParams)) {}

ComboBox* ComboList::Combo() const { return ComboBox::FromWindow(combo_); }

ListBox::Owner ComboList::OwnerOf() const {
    return Owner{GetParent(combo_), combo_, ODT_COMBOBOX, static_cast<UINT>(GetDlgCtrlID(combo_))};
}

void ComboList::SelectionChangedByUser() {
    if (ComboBox* c = Combo()) c->ListSelectionChanged();
}

void ComboList::TakeFocus() {
    ComboBox* c = Combo();
    if (!c) return;
    HWND focus = GetFocus();
    if (focus != combo_ && focus != c->EditWindow()) SetFocus(combo_);
}

LRESULT ComboList::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    if (dropped_) {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        switch (msg) {
            case WM_MOUSEMOVE: return OnDroppedMouseMove(pt);
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDOWN: return OnDroppedButtonDown(pt);
            case WM_LBUTTONUP: return OnDroppedButtonUp(pt);
            case WM_CAPTURECHANGED: return OnDroppedCaptureChanged();
            default: break;
        }
    }
    return ListBox::Message(msg, wParam, lParam);
}

LRESULT ComboList::OnDroppedMouseMove(POINT pt) {
    RECT client;
    GetClientRect(Window(), &client);
    if (Count() == 0) return 0;
    int index = -1;
    if (PtInRect(&client, pt)) {
        LRESULT hit = ItemFromPoint(pt);
        if (!HIWORD(hit)) index = LOWORD(hit);
    } else if (GetKeyState(VK_LBUTTON) < 0 && pt.x >= 0 && pt.x < client.right) {
        // Dragging past the ends scrolls the list.
        if (pt.y < 0) index = std::max(0, top_ - 1);
        else if (pt.y >= client.bottom) index = std::min(Count() - 1, top_ + PageSize());
    }
    if (index >= 0 && index != CurrentSelection()) {
        Select(index);
        EnsureVisible(index);
    }
    return 0;
}

LRESULT ComboList::OnDroppedButtonDown(POINT pt) {
    HWND self = Window();
    RECT client;
    GetClientRect(self, &client);
    if (PtInRect(&client, pt)) return OnDroppedMouseMove(pt);
    POINT screen = pt;
    ClientToScreen(self, &screen);
    RECT window;
    GetWindowRect(self, &window);
    if (PtInRect(&window, screen)) {
        // The list's own scroll bar runs its loop with the capture.
        LPARAM at = MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y));
        LRESULT hit = SendMessageA(self, WM_NCHITTEST, 0, at);
        if (hit == HTVSCROLL) {
            inScrollBar_ = true;
            ReleaseCapture();
            DefWindowProcA(self, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), at);
            inScrollBar_ = false;
            if (Alive() && dropped_) SetCapture(self);
        }
        return 0;
    }
    // A click anywhere else closes the list and goes no further.
    if (ComboBox* c = Combo()) c->CloseUp(false);
    return 0;
}

LRESULT ComboList::OnDroppedButtonUp(POINT pt) {
    ComboBox* c = Combo();
    if (!c) return 0;
    RECT client;
    GetClientRect(Window(), &client);
    LRESULT hit = ItemFromPoint(pt);
    if (PtInRect(&client, pt) && !HIWORD(hit) && Count() > 0) {
        Select(LOWORD(hit));
        c->CloseUp(true);
        return 0;
    }
    c->ReleaseButton();
    return 0;
}

LRESULT ComboList::OnDroppedCaptureChanged() {
    if (inScrollBar_ || !dropped_) return 0;
    if (ComboBox* c = Combo()) c->CloseUp(false);
    return 0;
}

// ---- Dropping and closing -----------------------------------------------------------

void ComboBox::DropDown() {
    if (dropped_ || Kind() == CBS_SIMPLE || !list_) return;
    Notify(CBN_DROPDOWN);  // the parent may fill the list now
    ComboList* list = List();
    if (!Alive() || !list) return;
    RECT wr;
    GetWindowRect(Window(), &wr);
    const int width = std::max<int>(droppedWidth_, wr.right - wr.left);
    const int border = 2;
    const int row = std::max(1, list->ItemHeight(0));
    int h = droppedHeight_ - (wr.bottom - wr.top) - border;
    const bool variable = (Style() & CBS_OWNERDRAWVARIABLE) != 0;
    if (!(Style() & CBS_NOINTEGRALHEIGHT) && !variable) h = h / row * row;
    h = std::min(h, list->HeightForRows(std::max(list->Count(), 1)));
    h = std::max(h, row);
    const int total = h + border;
    int y = wr.bottom;
    if (y + total > GetSystemMetrics(SM_CYSCREEN) && wr.top - total >= 0) y = wr.top - total;
    list->Select(committed_);
    SetWindowPos(list_, HWND_TOPMOST, wr.left, y, width, total, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (committed_ >= 0) list->EnsureVisible(committed_);
    dropped_ = true;
    list->SetDropped(true);
    SetCapture(list_);
    InvalidateRect(Window(), nullptr, FALSE);
}

void ComboBox::CloseUp(bool accept) {
    if (!dropped_) return;
    dropped_ = false;
    buttonDown_ = false;
    ComboList* list = List();
    if (list) list->SetDropped(false);
    if (GetCapture() == list_) ReleaseCapture();
    const int sel = list ? list->CurrentSelection() : -1;
    if (accept) {
        // Text typed into the edit that matches no item stays as typed.
        if (sel != committed_ && !(edit_ && sel < 0)) {
            Commit(sel);
            Notify(CBN_SELCHANGE);
            if (!Alive()) return;
        }
        Notify(CBN_SELENDOK);
    } else {
        if (list && sel != committed_) list->Select(committed_);
        Notify(CBN_SELENDCANCEL);
    }
    if (!Alive()) return;
    if (list_) ShowWindow(list_, SW_HIDE);
    Notify(CBN_CLOSEUP);
    if (!Alive()) return;
    InvalidateRect(Window(), nullptr, FALSE);
    if (edit_ && GetFocus() == edit_) SendMessageA(edit_, EM_SETSEL, 0, -1);
}

void ComboBox::ReleaseButton() {
    if (!buttonDown_) return;
    buttonDown_ = false;
    InvalidateRect(Window(), nullptr, FALSE);
}

void ComboBox::ListSelectionChanged() {
    ComboList* list = List();
    if (!list) return;
    const int sel = list->CurrentSelection();
    if (sel == committed_) return;
    Commit(sel);
    Notify(CBN_SELCHANGE);
}

bool ComboBox::HandleKey(WPARAM key, bool alt) {
    const bool toggle = (key == VK_F4 && !alt) || (alt && (key == VK_DOWN || key == VK_UP));
    if (toggle) {
        if (Kind() == CBS_SIMPLE) return false;
        if (dropped_) CloseUp(true);
        else DropDown();
        return true;
    }
    if (dropped_ && key == VK_RETURN) {
        CloseUp(true);
        return true;
    }
    if (dropped_ && key == VK_ESCAPE) {
        CloseUp(false);
        return true;
    }
    switch (key) {
        case VK_DOWN:
            if (extendedUi_ && !dropped_ && Kind() != CBS_SIMPLE) {
                DropDown();
                return true;
            }
            [[fallthrough]];
        case VK_UP:
        case VK_PRIOR:
        case VK_NEXT: ToList(WM_KEYDOWN, key, 0); return true;
        case VK_HOME:
        case VK_END:
            if (Kind() != CBS_DROPDOWNLIST) return false;  // the edit's
            ToList(WM_KEYDOWN, key, 0);
            return true;
        default: return false;
    }
}

void ComboBox::FocusEntered() {
    if (focused_) return;
    focused_ = true;
    InvalidateRect(Window(), nullptr, FALSE);
    Notify(CBN_SETFOCUS);
}

void ComboBox::FocusLeaving(HWND newFocus) {
    if (newFocus && (newFocus == Window() || newFocus == edit_ || newFocus == list_)) return;
    if (!focused_) return;
    focused_ = false;
    if (dropped_) CloseUp(false);
    if (!Alive()) return;
    InvalidateRect(Window(), nullptr, FALSE);
    Notify(CBN_KILLFOCUS);
}

}  // namespace win32::user::controls
