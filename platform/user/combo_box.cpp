// The combo box's state and window procedure: making its edit and list,
// the CB_* messages (most handed to the list), its text, and what it
// hears from its edit and list.
#include "platform/user/combo_box.h"

#include <algorithm>
#include <cstring>

namespace win32 {
namespace user::controls {

namespace {

constexpr int kListId = 1000;
constexpr int kEditId = 1001;

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

WNDPROC EditClassProc() {
    WNDCLASSA wc{};
    return GetClassInfoA(nullptr, "EDIT", &wc) ? wc.lpfnWndProc : DefWindowProcA;
}

// The combo box's edit: keys that belong to the combo box go there, and
// it learns where the focus went.
LRESULT CALLBACK ComboEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    static WNDPROC editProc = EditClassProc();
    ComboBox* combo = ComboBox::FromWindow(GetParent(hwnd));
    if (combo) {
        switch (msg) {
            case WM_KEYDOWN:
                if (combo->HandleKey(wParam, false)) return 0;
                break;
            case WM_SYSKEYDOWN:
                if ((wParam == VK_DOWN || wParam == VK_UP) && combo->HandleKey(wParam, true)) return 0;
                break;
            case WM_CHAR:
                if (combo->Dropped() && (wParam == '\r' || wParam == 0x1B)) return 0;
                break;
            case WM_GETDLGCODE:
                return combo->EditDialogCode(CallWindowProcA(editProc, hwnd, msg, wParam, lParam),
                                             reinterpret_cast<const MSG*>(lParam));
            case WM_KILLFOCUS: {
                LRESULT r = CallWindowProcA(editProc, hwnd, msg, wParam, lParam);
                if ((combo = ComboBox::FromWindow(GetParent(hwnd))))
                    combo->FocusLeaving(reinterpret_cast<HWND>(wParam));
                return r;
            }
            default: break;
        }
    }
    return CallWindowProcA(editProc, hwnd, msg, wParam, lParam);
}

}  // namespace

ComboBox::ComboBox(HWND hwnd, const CREATESTRUCTA& create) : Control(hwnd), droppedHeight_(create.cy) {
    // The scroll bar styles are the list's; the combo box has none itself.
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    SetWindowLongA(hwnd, GWL_STYLE, style & ~static_cast<LONG>(WS_VSCROLL | WS_HSCROLL));
}

ComboBox* ComboBox::FromWindow(HWND hwnd) { return dynamic_cast<ComboBox*>(Control::FromWindow(hwnd)); }

ComboList* ComboBox::List() const { return dynamic_cast<ComboList*>(Control::FromWindow(list_)); }

LRESULT ComboBox::ToList(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return list_ ? SendMessageA(list_, msg, wParam, lParam) : CB_ERR;
}

LRESULT ComboBox::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (msg) {
        case WM_CREATE: return OnCreate(*reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_DESTROY:
            if (list_ && IsWindow(list_) && !(GetWindowLongA(list_, GWL_STYLE) & WS_CHILD)) DestroyWindow(list_);
            list_ = nullptr;
            return 0;
        case WM_PAINT:
        case WM_PRINTCLIENT: return OnPaint(reinterpret_cast<HDC>(wParam));
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: Layout(); return 0;
        case WM_WINDOWPOSCHANGING:
            OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
            return Default(msg, wParam, lParam);
        case WM_GETDLGCODE: return OnGetDlgCode(reinterpret_cast<const MSG*>(lParam));
        case WM_SETFOCUS:
            if (edit_) {
                SetFocus(edit_);
                SendMessageA(edit_, EM_SETSEL, 0, -1);
            } else {
                FocusEntered();
            }
            return 0;
        case WM_KILLFOCUS: FocusLeaving(reinterpret_cast<HWND>(wParam)); return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: return OnLButtonDown(PointOf(lParam));
        case WM_LBUTTONUP: ReleaseButton(); return 0;
        case WM_KEYDOWN: HandleKey(wParam, false); return 0;
        case WM_SYSKEYDOWN:
            if ((wParam == VK_DOWN || wParam == VK_UP) && HandleKey(wParam, true)) return 0;
            return Default(msg, wParam, lParam);
        case WM_CHAR: return OnChar(wParam);
        case WM_MOUSEWHEEL:
            // The wheel scrolls an open list and steps a closed one's choice.
            if (dropped_ || Kind() == CBS_SIMPLE) return ToList(msg, wParam, lParam);
            if (GET_WHEEL_DELTA_WPARAM(wParam) != 0)
                ToList(WM_KEYDOWN, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? VK_UP : VK_DOWN, 0);
            return 0;
        case WM_COMMAND: return OnCommand(wParam, reinterpret_cast<HWND>(lParam));
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: {
            // The edit's and the list's colours are the parent's to choose.
            HWND parent = Parent();
            LRESULT r = parent ? SendMessageA(parent, msg, wParam, lParam) : 0;
            return r ? r : DefWindowProcA(parent ? parent : Window(), msg, wParam, lParam);
        }
        case WM_SETTEXT: return OnSetText(lParam);
        case WM_GETTEXT: return OnGetText(wParam, reinterpret_cast<char*>(lParam));
        case WM_GETTEXTLENGTH: return OnGetTextLength();
        case WM_SETFONT: return OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam));
        case WM_GETFONT: return reinterpret_cast<LRESULT>(Font());
        case WM_ENABLE: return OnEnable(static_cast<BOOL>(wParam));

        case CB_ADDSTRING: return OnInsertString(ToList(LB_ADDSTRING, 0, lParam));
        case CB_INSERTSTRING: return OnInsertString(ToList(LB_INSERTSTRING, wParam, lParam));
        case CB_DELETESTRING: return OnDeleteString(index);
        case CB_RESETCONTENT: return OnResetContent();
        case CB_GETCOUNT: return ToList(LB_GETCOUNT, 0, 0);
        case CB_GETCURSEL: return ToList(LB_GETCURSEL, 0, 0);
        case CB_SETCURSEL: return OnSetCurSel(index);
        case CB_GETLBTEXT: return ToList(LB_GETTEXT, wParam, lParam);
        case CB_GETLBTEXTLEN: return ToList(LB_GETTEXTLEN, wParam, 0);
        case CB_FINDSTRING: return ToList(LB_FINDSTRING, wParam, lParam);
        case CB_FINDSTRINGEXACT: return ToList(LB_FINDSTRINGEXACT, wParam, lParam);
        case CB_SELECTSTRING: return OnSelectString(index, lParam);
        case CB_GETITEMDATA: return ToList(LB_GETITEMDATA, wParam, 0);
        case CB_SETITEMDATA: return ToList(LB_SETITEMDATA, wParam, lParam);
        case CB_SETITEMHEIGHT: return OnSetItemHeight(index, static_cast<int>(lParam));
        case CB_GETITEMHEIGHT: return OnGetItemHeight(index);
        case CB_GETTOPINDEX: return ToList(LB_GETTOPINDEX, 0, 0);
        case CB_SETTOPINDEX: return ToList(LB_SETTOPINDEX, wParam, 0) == LB_ERR ? CB_ERR : CB_OKAY;
        case CB_SETHORIZONTALEXTENT: return ToList(LB_SETHORIZONTALEXTENT, wParam, 0);
        case CB_GETHORIZONTALEXTENT: return ToList(LB_GETHORIZONTALEXTENT, 0, 0);
        case CB_SETLOCALE: return ToList(LB_SETLOCALE, wParam, 0);
        case CB_GETLOCALE: return ToList(LB_GETLOCALE, 0, 0);
        case CB_INITSTORAGE: return ToList(LB_INITSTORAGE, wParam, lParam);
        case CB_SHOWDROPDOWN: return OnShowDropDown(static_cast<BOOL>(wParam));
        case CB_GETDROPPEDSTATE: return dropped_ ? TRUE : FALSE;
        case CB_GETDROPPEDCONTROLRECT: return OnGetDroppedControlRect(reinterpret_cast<RECT*>(lParam));
        case CB_SETDROPPEDWIDTH: {
            RECT r;
            GetWindowRect(Window(), &r);
            droppedWidth_ = std::max(0, index);
            return std::max<LRESULT>(droppedWidth_, r.right - r.left);
        }
        case CB_GETDROPPEDWIDTH: {
            RECT r;
            GetWindowRect(Window(), &r);
            return std::max<LRESULT>(droppedWidth_, r.right - r.left);
        }
        case CB_SETEXTENDEDUI: extendedUi_ = wParam != 0; return CB_OKAY;
        case CB_GETEXTENDEDUI: return extendedUi_ ? TRUE : FALSE;
        case CB_SETEDITSEL: return OnSetEditSel(lParam);
        case CB_GETEDITSEL: return OnGetEditSel(wParam, lParam);
        case CB_LIMITTEXT:
            if (!edit_) return CB_ERR;
            SendMessageA(edit_, EM_LIMITTEXT, wParam, 0);
            return TRUE;
        case CB_DIR: return CB_ERR;
        default: return Default(msg, wParam, lParam);
    }
}

LRESULT ComboBox::OnCreate(const CREATESTRUCTA& create) {
    const DWORD style = create.style;
    DWORD lbStyle = LBS_NOTIFY | LBS_COMBOBOX | WS_VSCROLL | (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE));
    if (style & CBS_HASSTRINGS) lbStyle |= LBS_HASSTRINGS;
    if (style & CBS_SORT) lbStyle |= LBS_SORT;
    if (style & CBS_DISABLENOSCROLL) lbStyle |= LBS_DISABLENOSCROLL;
    LPVOID self = Window();
    MeasureField();
    if (Kind() == CBS_SIMPLE) {
        if (style & CBS_NOINTEGRALHEIGHT) lbStyle |= LBS_NOINTEGRALHEIGHT;
        list_ = CreateWindowExA(0, "ComboLBox", "", WS_CHILD | WS_VISIBLE | WS_BORDER | lbStyle, 0, fieldHeight_,
                                create.cx, std::max(0, create.cy - fieldHeight_), Window(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), create.hInstance, self);
    } else {
        // The drop-down list sizes itself when it drops.
        list_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "ComboLBox", "",
                                WS_POPUP | WS_BORDER | lbStyle | LBS_NOINTEGRALHEIGHT, 0, 0, create.cx, 100, Window(),
                                nullptr, create.hInstance, self);
    }
    if (!list_) return -1;
    if (HasEdit()) {
        DWORD es = WS_CHILD | WS_VISIBLE;
        if (style & CBS_AUTOHSCROLL) es |= ES_AUTOHSCROLL;
        if (style & CBS_UPPERCASE) es |= ES_UPPERCASE;
        if (style & CBS_LOWERCASE) es |= ES_LOWERCASE;
        if (style & CBS_OEMCONVERT) es |= ES_OEMCONVERT;
        edit_ = CreateWindowExA(0, "EDIT", "", es, 0, 0, 10, 10, Window(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), create.hInstance, nullptr);
        if (!edit_) return -1;
        SubclassEdit();
    }
    Layout();
    return 0;
}

void ComboBox::SubclassEdit() {
    SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ComboEditProc));
}

LRESULT ComboBox::OnCommand(WPARAM wParam, HWND from) {
    const WORD code = HIWORD(wParam);
    if (from && from == edit_) {
        switch (code) {
            case EN_CHANGE: {
                if (writingEdit_) break;  // the combo box is writing its selection there
                Notify(CBN_EDITCHANGE);
                if (!Alive() || !(dropped_ || Kind() == CBS_SIMPLE)) break;
                // The list follows what is typed without changing the text.
                std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit_)) + 1, '\0');
                text.resize(
                    static_cast<std::size_t>(GetWindowTextA(edit_, text.data(), static_cast<int>(text.size()))));
                LRESULT found = text.empty() ? LB_ERR
                                             : ToList(LB_FINDSTRING, static_cast<WPARAM>(-1),
                                                      reinterpret_cast<LPARAM>(text.c_str()));
                if (ComboList* list = List()) {
                    list->Select(found == LB_ERR ? -1 : static_cast<int>(found));
                    if (found != LB_ERR) list->EnsureVisible(static_cast<int>(found));
                }
                break;
            }
            case EN_UPDATE:
                if (!writingEdit_) Notify(CBN_EDITUPDATE);
                break;
            case EN_SETFOCUS: FocusEntered(); break;
            case EN_ERRSPACE: Notify(CBN_ERRSPACE); break;
            default: break;
        }
        return 0;
    }
    if (from && from == list_ && code == LBN_DBLCLK) Notify(CBN_DBLCLK);
    return 0;
}

LRESULT ComboBox::OnGetDlgCode(const MSG* msg) const {
    LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (dropped_ && msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        code |= DLGC_WANTMESSAGE;
    return code;
}

LRESULT ComboBox::EditDialogCode(LRESULT editCode, const MSG* msg) const {
    LRESULT code = editCode | DLGC_WANTARROWS;
    if (dropped_ && msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        code |= DLGC_WANTMESSAGE;
    return code;
}

LRESULT ComboBox::OnSetText(LPARAM text) {
    const char* s = text ? reinterpret_cast<const char*>(text) : "";
    if (edit_) {
        writingEdit_ = true;
        SetWindowTextA(edit_, s);
        writingEdit_ = false;
        return TRUE;
    }
    LRESULT found = ToList(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(s));
    if (found == LB_ERR) return CB_ERR;
    Commit(static_cast<int>(found));
    return TRUE;
}

LRESULT ComboBox::OnGetText(WPARAM size, char* buffer) const {
    if (edit_) return SendMessageA(edit_, WM_GETTEXT, size, reinterpret_cast<LPARAM>(buffer));
    if (!buffer || size == 0) return 0;
    const ComboList* list = List();
    const std::string* text = list ? list->TextAt(committed_) : nullptr;
    std::size_t n = text ? std::min(text->size(), static_cast<std::size_t>(size) - 1) : 0;
    if (n) std::memcpy(buffer, text->data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT ComboBox::OnGetTextLength() const {
    if (edit_) return SendMessageA(edit_, WM_GETTEXTLENGTH, 0, 0);
    const ComboList* list = List();
    const std::string* text = list ? list->TextAt(committed_) : nullptr;
    return text ? static_cast<LRESULT>(text->size()) : 0;
}

LRESULT ComboBox::OnSetFont(HFONT font, BOOL redraw) {
    SetFont(font);
    if (edit_) SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    if (list_) SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    fieldMeasured_ = false;
    MeasureField();
    Layout();
    if (redraw) InvalidateRect(Window(), nullptr, TRUE);
    return 0;
}

LRESULT ComboBox::OnEnable(BOOL enabled) {
    if (edit_) EnableWindow(edit_, enabled);
    if (!enabled && dropped_) CloseUp(false);
    InvalidateRect(Window(), nullptr, TRUE);
    return 0;
}

LRESULT ComboBox::OnSetCurSel(int index) {
    if (index < -1 || index >= ToList(LB_GETCOUNT, 0, 0)) {
        Commit(-1);
        return CB_ERR;
    }
    Commit(index);
    if (ComboList* list = List(); list && index >= 0) list->EnsureVisible(index);
    return index < 0 ? CB_ERR : index;
}

LRESULT ComboBox::OnSelectString(int start, LPARAM text) {
    LRESULT found = ToList(LB_FINDSTRING, static_cast<WPARAM>(start), text);
    if (found == LB_ERR) return CB_ERR;
    Commit(static_cast<int>(found));
    return found;
}

LRESULT ComboBox::OnResetContent() {
    ToList(LB_RESETCONTENT, 0, 0);
    committed_ = -1;
    if (edit_) ShowSelectionInEdit();
    InvalidateRect(Window(), nullptr, FALSE);
    return CB_OKAY;
}

LRESULT ComboBox::OnInsertString(LRESULT at) {
    // The field's item moves down with the list's selection.
    if (at >= 0 && committed_ >= at) ++committed_;
    return at;
}

LRESULT ComboBox::OnDeleteString(int index) {
    LRESULT r = ToList(LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    if (r == LB_ERR) return CB_ERR;
    if (committed_ == index) committed_ = -1;
    else if (committed_ > index) --committed_;
    InvalidateRect(Window(), nullptr, FALSE);
    return r;
}

LRESULT ComboBox::OnSetEditSel(LPARAM range) {
    if (!edit_) return CB_ERR;
    int start = static_cast<short>(LOWORD(range)), end = static_cast<short>(HIWORD(range));
    SendMessageA(edit_, EM_SETSEL, static_cast<WPARAM>(start), end);
    return TRUE;
}

LRESULT ComboBox::OnGetEditSel(WPARAM start, LPARAM end) const {
    if (!edit_) return CB_ERR;
    return SendMessageA(edit_, EM_GETSEL, start, end);
}

LRESULT ComboBox::OnSetItemHeight(int index, int height) {
    if (height <= 0 || height > 255) return CB_ERR;
    if (index == -1) {
        itemHeight_ = height;
        fieldHeight_ = itemHeight_ + 6;
        fieldMeasured_ = true;
        Layout();
        InvalidateRect(Window(), nullptr, TRUE);
        return CB_OKAY;
    }
    return ToList(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), height);
}

LRESULT ComboBox::OnGetItemHeight(int index) const {
    if (index == -1) return itemHeight_;
    return ToList(LB_GETITEMHEIGHT, static_cast<WPARAM>(std::max(index, 0)), 0);
}

LRESULT ComboBox::OnGetDroppedControlRect(RECT* rect) const {
    if (!rect) return CB_ERR;
    GetWindowRect(Window(), rect);
    if (Kind() != CBS_SIMPLE) rect->bottom = rect->top + droppedHeight_;
    return TRUE;
}

LRESULT ComboBox::OnShowDropDown(BOOL show) {
    if (Kind() == CBS_SIMPLE) return TRUE;
    if (show && !dropped_) DropDown();
    else if (!show && dropped_) CloseUp(false);
    return TRUE;
}

LRESULT ComboBox::OnLButtonDown(POINT pt) {
    HWND self = Window();
    if (!IsWindowEnabled(self)) return 0;
    HWND focus = GetFocus();
    if (focus != self && focus != edit_) {
        SetFocus(self);
        if (!Alive()) return 0;
    }
    if (Kind() == CBS_SIMPLE) return 0;
    RECT button = ButtonRect();
    if (Kind() == CBS_DROPDOWNLIST || PtInRect(&button, pt)) {
        if (dropped_) {
            CloseUp(false);
        } else {
            buttonDown_ = true;
            DropDown();
        }
    }
    return 0;
}

LRESULT ComboBox::OnChar(WPARAM ch) {
    if (Kind() == CBS_DROPDOWNLIST) ToList(WM_CHAR, ch, 0);
    return 0;
}

LRESULT ComboBox::OnWindowPosChanging(WINDOWPOS* pos) {
    // A drop-down combo box's height is its field's; the height it is
    // given is the one it has when dropped.
    if (!pos || (pos->flags & SWP_NOSIZE) || Kind() == CBS_SIMPLE || sizing_) return 0;
    RECT window, client;
    GetWindowRect(Window(), &window);
    GetClientRect(Window(), &client);
    const int frame = (window.bottom - window.top) - client.bottom;
    if (pos->cy != fieldHeight_ + frame) {
        droppedHeight_ = pos->cy;
        pos->cy = fieldHeight_ + frame;
    }
    return 0;
}

void ComboBox::Commit(int index) {
    committed_ = index;
    if (ComboList* list = List(); list && list->CurrentSelection() != index) list->Select(index);
    if (edit_) ShowSelectionInEdit();
    InvalidateRect(Window(), nullptr, FALSE);
}

void ComboBox::ShowSelectionInEdit() {
    const ComboList* list = List();
    const std::string* text = list ? list->TextAt(committed_) : nullptr;
    writingEdit_ = true;  // not the user's edit: no CBN_EDITCHANGE
    SetWindowTextA(edit_, text ? text->c_str() : "");
    writingEdit_ = false;
    if (GetFocus() == edit_) SendMessageA(edit_, EM_SETSEL, 0, -1);
}

}  // namespace user::controls

namespace {

std::unique_ptr<user::controls::Control> MakeComboBox(HWND hwnd, const CREATESTRUCTA& create) {
    return std::make_unique<user::controls::ComboBox>(hwnd, create);
}

LRESULT CALLBACK ComboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return user::controls::Control::Dispatch(hwnd, msg, wParam, lParam, MakeComboBox);
}

std::unique_ptr<user::controls::Control> MakeComboList(HWND hwnd, const CREATESTRUCTA& create) {
    return std::make_unique<user::controls::ComboList>(hwnd, create);
}

LRESULT CALLBACK ComboListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return user::controls::Control::Dispatch(hwnd, msg, wParam, lParam, MakeComboList);
}

}  // namespace

void RegisterComboBoxClass() {
    user::controls::RegisterControlClass("COMBOBOX", ComboBoxProc, CS_DBLCLKS, IDC_ARROW);
}

void RegisterComboListClass() {
    user::controls::RegisterControlClass("ComboLBox", ComboListProc, CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW);
}

}  // namespace win32
