#include "classlib/button_controls.h"

#include "classlib/graphics.h"
#include "classlib/messages.h"

namespace classlib {

using namespace win32;

namespace {

// The window paints itself; it takes its background brush and text colour
// from the control.
void AnswerColors(TWinControl* control, TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToRGB(control->Font()->Color()));
    SetBkColor(dc, ColorToRGB(control->Color()));
    control->Brush()->SetColor(control->Color());
    m.Result = reinterpret_cast<LRESULT>(control->Brush()->Handle());
}

}  // namespace

// TButtonControl

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
    // The window presses, captures the mouse and reports the click itself.
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetTabStop(true);
    SetParentColor(true);
}

void TButtonControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, "BUTTON");
}

DWORD TButtonControl::AlignmentStyle(TAlignment alignment) { return alignment == taLeftJustify ? BS_LEFTTEXT : 0; }

void TButtonControl::SetButtonType(DWORD type) {
    if (!HandleAllocated()) return;
    DWORD style = static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE));
    if ((style & BS_TYPEMASK) != type) SendMessageA(Handle(), BM_SETSTYLE, type, TRUE);
}

void TButtonControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case CN_COMMAND:
            switch (HIWORD(m.WParam)) {
                case BN_CLICKED: Clicked(); break;
                case BN_DOUBLECLICKED: DoubleClicked(); break;
                default: break;
            }
            m.Result = 0;
            return;
        case CN_CTLCOLORBTN:
        case CN_CTLCOLORSTATIC: return AnswerColors(this, m);
        case WM_ERASEBKGND:
            // The window fills what it paints.
            return DefaultHandler(m);
        default: TWinControl::Dispatch(m);
    }
}

// TButton

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetParentColor(false);
    SetColor(clBtnFace);
}

void TButton::CreateParams(TCreateParams& p) {
    TButtonControl::CreateParams(p);
    p.Style |= active_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetButtonStyle(bool isDefault) { SetButtonType(isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON); }

void TButton::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    SetButtonStyle(active);
}

void TButton::SetDefault(bool isDefault) {
    if (isDefault == default_) return;
    default_ = isDefault;
    TCustomForm* form = GetParentForm(this);
    TWinControl* focused = form != nullptr ? form->ActiveControl() : nullptr;
    SetActive(dynamic_cast<TButton*>(focused) != nullptr ? focused == this : default_);
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this); form != nullptr && modalResult_ != mrNone) {
        form->SetModalResult(modalResult_);
    }
    TButtonControl::Click();
}

void TButton::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_GETDLGCODE:
            // Enter belongs to the form's default button, whatever the
            // window's own style says.
            m.Result = DLGC_BUTTON | (active_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
            return;
        case CM_DIALOGKEY:
            if (((m.WParam == VK_RETURN && active_) || (m.WParam == VK_ESCAPE && cancel_)) &&
                KeyDataToShiftState(m.LParam).Empty() && CanFocus()) {
                Click();
                m.Result = 1;
                return;
            }
            TButtonControl::Dispatch(m);
            return;
        case CM_DIALOGCHAR:
            if (IsAccel(static_cast<UINT>(m.WParam), Caption()) && CanFocus()) {
                SetFocus();
                Click();
                m.Result = 1;
                return;
            }
            TButtonControl::Dispatch(m);
            return;
        case CM_FOCUSCHANGED: {
            auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
            SetActive(dynamic_cast<TButton*>(focused) != nullptr ? focused == this : default_);
            TButtonControl::Dispatch(m);
            return;
        }
        default: TButtonControl::Dispatch(m);
    }
}

// TCheckBox

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 97, 17); }

DWORD TCheckBox::Type() const {
    // The window toggles a two-state box itself; the grayed cycle is the
    // library's, in its own order, and a grayed box needs the window's
    // third state even when the user cannot reach it.
    return allowGrayed_ || state_ == cbGrayed ? BS_3STATE : BS_AUTOCHECKBOX;
}

void TCheckBox::CreateParams(TCreateParams& p) {
    TButtonControl::CreateParams(p);
    p.Style |= Type() | AlignmentStyle(alignment_);
}

void TCheckBox::InitializeWindow() { SendMessageA(Handle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0); }

void TCheckBox::SetState(TCheckBoxState state) {
    if (state == state_) return;
    state_ = state;
    if (HandleAllocated()) {
        SetButtonType(Type());
        SendMessageA(Handle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
    }
    Click();
}

void TCheckBox::SetAllowGrayed(bool allow) {
    if (allow == allowGrayed_) return;
    allowGrayed_ = allow;
    SetButtonType(Type());
    if (!allow && state_ == cbGrayed) SetState(cbUnchecked);
}

void TCheckBox::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    RecreateWnd();
}

void TCheckBox::Toggle() {
    switch (state_) {
        case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
        case cbGrayed: SetState(cbChecked); break;
        case cbChecked: SetState(cbUnchecked); break;
    }
}

void TCheckBox::Clicked() {
    if (Type() != BS_AUTOCHECKBOX) return Toggle();
    // The window has already changed its check.
    LRESULT check = SendMessageA(Handle(), BM_GETCHECK, 0, 0);
    SetState(check == BST_CHECKED ? cbChecked : cbUnchecked);
}

void TCheckBox::Dispatch(TMessage& m) {
    if (m.Msg == CM_DIALOGCHAR && IsAccel(static_cast<UINT>(m.WParam), Caption()) && CanFocus()) {
        SetFocus();
        if (Focused()) Toggle();
        m.Result = 1;
        return;
    }
    TButtonControl::Dispatch(m);
}

// TRadioButton

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 113, 17);
    // Only the checked button of a group is a tab stop.
    SetTabStop(false);
}

void TRadioButton::CreateParams(TCreateParams& p) {
    TButtonControl::CreateParams(p);
    p.Style |= BS_AUTORADIOBUTTON | AlignmentStyle(alignment_);
}

void TRadioButton::InitializeWindow() {
    SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    RecreateWnd();
}

void TRadioButton::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    SetTabStop(checked);
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!checked) return;
    if (Parent() != nullptr) {
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* sibling = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
            if (sibling != nullptr && sibling != this) sibling->SetChecked(false);
        }
    }
    Click();
}

void TRadioButton::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case CM_DIALOGCHAR:
            if (IsAccel(static_cast<UINT>(m.WParam), Caption()) && CanFocus()) {
                SetFocus();
                SetChecked(true);
                m.Result = 1;
                return;
            }
            break;
        case CM_ENTER:
            // Moving onto a radio button with the arrow keys checks it.
            if (GetKeyState(VK_LEFT) < 0 || GetKeyState(VK_RIGHT) < 0 || GetKeyState(VK_UP) < 0 ||
                GetKeyState(VK_DOWN) < 0) {
                SetChecked(true);
            }
            break;
        default: break;
    }
    TButtonControl::Dispatch(m);
}

}  // namespace classlib
