// The "BUTTON" class's state and messages: pressing with the mouse (with
// capture) and the space bar, checks and their automatic variants, the
// dialog manager's questions and the notifications to the parent.
#include "platform/user/button.h"
#include "platform/user/dialog_manager.h"

namespace win32 {
namespace user::controls {

namespace {

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

bool ClientContains(HWND hwnd, POINT pt) {
    RECT client;
    GetClientRect(hwnd, &client);
    return PtInRect(&client, pt) != FALSE;
}

bool StartsGroup(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & WS_GROUP) != 0; }

}  // namespace

Button::Button(HWND hwnd, const CREATESTRUCTA&) : Control(hwnd) {}

bool Button::IsCheckBox() const {
    DWORD t = Type();
    return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE;
}

ButtonLook Button::Look() const {
    ButtonLook look;
    look.style = Style();
    look.check = check_;
    look.pushed = pushed_;
    look.focused = focused_;
    look.enabled = IsWindowEnabled(Window()) != FALSE;
    look.text = Text();
    look.image = image_;
    return look;
}

LRESULT Button::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: return OnPaint(reinterpret_cast<HDC>(wParam));
        case WM_PRINTCLIENT: return OnPaint(reinterpret_cast<HDC>(wParam));
        case WM_ERASEBKGND: return 1;
        case WM_NCHITTEST:
            if (Type() == BS_GROUPBOX) return HTTRANSPARENT;
            return Default(msg, wParam, lParam);
        case WM_GETDLGCODE: return OnGetDlgCode();
        case WM_LBUTTONDOWN: return OnLButtonDown();
        case WM_LBUTTONDBLCLK: return OnLButtonDblClk();
        case WM_MOUSEMOVE: return OnMouseMove(PointOf(lParam));
        case WM_LBUTTONUP: return OnLButtonUp(PointOf(lParam));
        case WM_CAPTURECHANGED: return OnCaptureChanged();
        case WM_KEYDOWN: return OnKeyDown(wParam, lParam);
        case WM_KEYUP: return OnKeyUp(wParam);
        case WM_CHAR: return OnChar(wParam);
        case WM_SETFOCUS: return OnSetFocus();
        case WM_KILLFOCUS: return OnKillFocus();
        case WM_ENABLE: Redraw(ODA_DRAWENTIRE); return 0;
        case WM_SETTEXT: return OnSetText(wParam, lParam);
        case WM_SETFONT: return OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam));
        case WM_GETFONT: return reinterpret_cast<LRESULT>(Font());
        case BM_GETCHECK: return check_;
        case BM_SETCHECK: return OnSetCheck(wParam);
        case BM_GETSTATE: return OnGetState();
        case BM_SETSTATE: return OnSetState(static_cast<BOOL>(wParam));
        case BM_SETSTYLE: return OnSetStyle(wParam, LOWORD(lParam));
        case BM_CLICK: return OnClick();
        case BM_GETIMAGE: return reinterpret_cast<LRESULT>(image_);
        case BM_SETIMAGE: return OnSetImage(wParam, reinterpret_cast<HANDLE>(lParam));
        default: return Default(msg, wParam, lParam);
    }
}

LRESULT Button::OnPaint(HDC given) {
    PAINTSTRUCT ps{};
    HDC dc = given ? given : BeginPaint(Window(), &ps);
    if (!dc) return 0;
    if (IsOwnerDraw()) {
        DrawOwner(dc, ODA_DRAWENTIRE);
    } else {
        DWORD t = Type();
        bool push = t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON || t == BS_USERBUTTON || t == BS_PUSHBOX;
        HBRUSH brush = ControlColor(dc, push ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC);
        RECT client;
        GetClientRect(Window(), &client);
        FontScope font(dc, Font());
        PaintButton(dc, client, Look(), brush);
    }
    if (!given) EndPaint(Window(), &ps);
    return 0;
}

LRESULT Button::OnGetDlgCode() const {
    switch (Type()) {
        case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_PUSHBUTTON:
        case BS_PUSHBOX:
        case BS_USERBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX: return DLGC_STATIC;
        default: return DLGC_BUTTON;
    }
}

LRESULT Button::OnLButtonDown() {
    if (Type() == BS_GROUPBOX) return 0;
    HWND self = Window();
    if (GetFocus() != self) {
        SetFocus(self);
        if (!Alive()) return 0;
    }
    SetCapture(self);
    mouseDown_ = true;
    SetPushed(true);
    return 0;
}

LRESULT Button::OnLButtonDblClk() {
    // Radio and owner-drawn buttons (and any that asks with BS_NOTIFY)
    // tell the parent of a double click; the others take it as a press.
    if (IsRadio() || IsOwnerDraw() || (Style() & BS_NOTIFY)) {
        Notify(BN_DOUBLECLICKED);
        return 0;
    }
    return OnLButtonDown();
}

LRESULT Button::OnMouseMove(POINT pt) {
    if (mouseDown_ && GetCapture() == Window()) SetPushed(ClientContains(Window(), pt));
    return 0;
}

LRESULT Button::OnLButtonUp(POINT pt) {
    if (!mouseDown_) return 0;
    mouseDown_ = false;
    const bool inside = ClientContains(Window(), pt);
    SetPushed(false);
    if (GetCapture() == Window()) ReleaseCapture();
    if (inside && Alive()) Clicked();
    return 0;
}

LRESULT Button::OnCaptureChanged() {
    if (mouseDown_) {
        mouseDown_ = false;
        SetPushed(false);
    }
    return 0;
}

LRESULT Button::OnKeyDown(WPARAM key, LPARAM lParam) {
    const bool repeat = (lParam & 0x40000000) != 0;
    if (key == VK_SPACE && !repeat && !mouseDown_ && Type() != BS_GROUPBOX) {
        spaceDown_ = true;
        SetPushed(true);
    }
    return 0;
}

LRESULT Button::OnKeyUp(WPARAM key) {
    if (key != VK_SPACE || !spaceDown_) return 0;
    spaceDown_ = false;
    const bool wasPushed = pushed_;
    SetPushed(false);
    if (wasPushed && Alive()) Clicked();
    return 0;
}

LRESULT Button::OnChar(WPARAM ch) {
    // Check boxes take '+' (or '=') and '-' as "check" and "clear".
    if (Type() != BS_CHECKBOX && Type() != BS_AUTOCHECKBOX) return 0;
    if ((ch == '+' || ch == '=') && check_ == BST_UNCHECKED) Clicked();
    else if (ch == '-' && check_ == BST_CHECKED) Clicked();
    return 0;
}

LRESULT Button::OnSetFocus() {
    focused_ = true;
    HWND parent = Parent();
    // A push button that gets the focus, by mouse as by keyboard, takes
    // the default-button look from the dialog's default button.
    if (parent && dialog::Dialogs().Find(parent)) dialog::UpdateDefaultButton(parent, Window());
    if (!Alive()) return 0;
    Redraw(ODA_FOCUS);
    if (Style() & BS_NOTIFY) Notify(BN_SETFOCUS);
    return 0;
}

LRESULT Button::OnKillFocus() {
    focused_ = false;
    spaceDown_ = false;
    if (mouseDown_) {
        mouseDown_ = false;
        if (GetCapture() == Window()) ReleaseCapture();
    }
    if (!Alive()) return 0;
    if (pushed_) SetPushed(false);
    Redraw(ODA_FOCUS);
    if (Style() & BS_NOTIFY) Notify(BN_KILLFOCUS);
    return 0;
}

LRESULT Button::OnSetText(WPARAM wParam, LPARAM lParam) {
    LRESULT r = Default(WM_SETTEXT, wParam, lParam);
    if (Type() == BS_GROUPBOX) InvalidateRect(Window(), nullptr, TRUE);
    Redraw(ODA_DRAWENTIRE);
    return r;
}

LRESULT Button::OnSetFont(HFONT font, BOOL redraw) {
    SetFont(font);
    if (redraw) InvalidateRect(Window(), nullptr, TRUE);
    return 0;
}

LRESULT Button::OnSetCheck(WPARAM check) {
    DWORD t = Type();
    if (t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON || t == BS_GROUPBOX || t == BS_OWNERDRAW) return 0;
    const UINT most = (t == BS_3STATE || t == BS_AUTO3STATE) ? BST_INDETERMINATE : BST_CHECKED;
    UINT value = static_cast<UINT>(check) > most ? most : static_cast<UINT>(check);
    if (IsRadio()) {
        // The checked radio button of a group is the one Tab stops at.
        LONG style = GetWindowLongA(Window(), GWL_STYLE);
        LONG wanted = value ? (style | static_cast<LONG>(WS_TABSTOP)) : (style & ~static_cast<LONG>(WS_TABSTOP));
        if (wanted != style) SetWindowLongA(Window(), GWL_STYLE, wanted);
    }
    if (value != check_) {
        check_ = value;
        Redraw(ODA_SELECT);
    }
    return 0;
}

LRESULT Button::OnGetState() const {
    LRESULT state = check_;
    if (pushed_) state |= BST_PUSHED;
    if (focused_) state |= BST_FOCUS;
    return state;
}

LRESULT Button::OnSetState(BOOL pushed) {
    SetPushed(pushed != FALSE);
    return 0;
}

LRESULT Button::OnSetStyle(WPARAM style, BOOL redraw) {
    LONG old = GetWindowLongA(Window(), GWL_STYLE);
    LONG next = static_cast<LONG>((static_cast<DWORD>(old) & ~BS_TYPEMASK) | (static_cast<DWORD>(style) & BS_TYPEMASK));
    if (next != old) SetWindowLongA(Window(), GWL_STYLE, next);
    if (redraw) InvalidateRect(Window(), nullptr, FALSE);
    return 0;
}

LRESULT Button::OnClick() {
    HWND self = Window();
    if (!IsWindowEnabled(self) || Type() == BS_GROUPBOX) return 0;
    SendMessageA(self, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    if (IsWindow(self)) SendMessageA(self, WM_LBUTTONUP, 0, 0);
    return 0;
}

LRESULT Button::OnSetImage(WPARAM type, HANDLE image) {
    if (type != IMAGE_BITMAP && type != IMAGE_ICON) return 0;
    HANDLE old = image_;
    image_ = image;
    Redraw(ODA_DRAWENTIRE);
    return reinterpret_cast<LRESULT>(old);
}

void Button::Clicked() {
    switch (Type()) {
        case BS_AUTOCHECKBOX: OnSetCheck(check_ == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED); break;
        case BS_AUTO3STATE: OnSetCheck((check_ + 1) % 3); break;
        case BS_AUTORADIOBUTTON: CheckAutoRadio(); break;
        default: break;
    }
    if (Alive()) Notify(BN_CLICKED);
}

void Button::CheckAutoRadio() {
    HWND self = Window();
    SendMessageA(self, BM_SETCHECK, BST_CHECKED, 0);
    // The group runs from the sibling with WS_GROUP at or before this
    // button to the next sibling with WS_GROUP.
    HWND first = self;
    while (!StartsGroup(first)) {
        HWND prev = GetWindow(first, GW_HWNDPREV);
        if (!prev) break;
        first = prev;
    }
    for (HWND c = first; c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (c != first && StartsGroup(c)) break;
        if (c == self) continue;
        if (!(SendMessageA(c, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
        if (SendMessageA(c, BM_GETCHECK, 0, 0) != BST_UNCHECKED) SendMessageA(c, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void Button::SetPushed(bool pushed) {
    if (pushed_ == pushed) return;
    pushed_ = pushed;
    Redraw(ODA_SELECT);
}

void Button::Redraw(UINT action) {
    HWND self = Window();
    if (!IsWindowVisible(self)) return;
    if (!IsOwnerDraw()) {
        InvalidateRect(self, nullptr, FALSE);
        return;
    }
    if (HDC dc = GetDC(self)) {
        DrawOwner(dc, action);
        ReleaseDC(self, dc);
    }
}

void Button::DrawOwner(HDC dc, UINT action) {
    HWND parent = Parent();
    if (!parent) return;
    ControlColor(dc, WM_CTLCOLORBTN);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(Id());
    dis.itemID = 0;
    dis.itemAction = action;
    if (pushed_) dis.itemState |= ODS_SELECTED;
    if (focused_) dis.itemState |= ODS_FOCUS;
    if (!IsWindowEnabled(Window())) dis.itemState |= ODS_DISABLED;
    dis.hwndItem = Window();
    dis.hDC = dc;
    GetClientRect(Window(), &dis.rcItem);
    FontScope font(dc, Font());
    SendMessageA(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

}  // namespace user::controls

namespace {

std::unique_ptr<user::controls::Control> MakeButton(HWND hwnd, const CREATESTRUCTA& create) {
    return std::make_unique<user::controls::Button>(hwnd, create);
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return user::controls::Control::Dispatch(hwnd, msg, wParam, lParam, MakeButton);
}

}  // namespace

void RegisterButtonClass() {
    user::controls::RegisterControlClass("BUTTON", ButtonProc, CS_DBLCLKS, IDC_ARROW);
}

}  // namespace win32
