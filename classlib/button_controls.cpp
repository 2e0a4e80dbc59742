#include "classlib/button_controls.h"

#include <algorithm>

namespace classlib {

using namespace win32;

namespace {

// The box of a check box or radio button: 13 pixels, centred vertically.
constexpr int kBoxSize = 13;

}  // namespace

// TButtonControl

TButtonControl::TButtonControl(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle({csSetCaption, csDoubleClicks, csCaptureMouse});
    SetTabStop(true);
    SetParentColor(true);
}

void TButtonControl::SetPressed(bool pressed) {
    if (pressed == pressed_) return;
    pressed_ = pressed;
    Invalidate();
}

void TButtonControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    if (CanFocus() && !Focused()) SetFocus();
    tracking_ = true;
    SetPressed(true);
}

void TButtonControl::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (tracking_) SetPressed(PtInRect(ClientRect(), Point(x, y)));
}

void TButtonControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !tracking_) return;
    tracking_ = false;
    bool inside = PtInRect(ClientRect(), Point(x, y));
    SetPressed(false);
    if (inside && Enabled()) Press();
}

void TButtonControl::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == VK_SPACE && !spaceDown_) {
        spaceDown_ = true;
        SetPressed(true);
    }
}

void TButtonControl::KeyUp(WORD& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if (key == VK_SPACE && spaceDown_) {
        spaceDown_ = false;
        SetPressed(false);
        if (Enabled()) Press();
    }
}

void TButtonControl::DrawCaption(TCanvas* canvas, TRect r, UINT flags, bool focused) {
    std::string text = Caption();
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetStyle(bsClear);
    HDC dc = canvas->PrepareText();
    if (!Enabled()) {
        TRect shifted = r;
        ::win32::OffsetRect(&shifted, 1, 1);
        ::win32::SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextA(dc, text.c_str(), -1, &shifted, flags);
        ::win32::SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
        ::win32::SetTextColor(dc, ColorToRGB(Font()->Color()));
    }
    DrawTextA(dc, text.c_str(), -1, &r, flags);
    if (focused && !text.empty()) {
        TRect box = r;
        DrawTextA(dc, text.c_str(), -1, &box, flags | DT_CALCRECT);
        int w = RectWidth(box), h = RectHeight(box);
        if (flags & DT_CENTER) box.left = r.left + (RectWidth(r) - w) / 2;
        if (flags & DT_VCENTER) box.top = r.top + (RectHeight(r) - h) / 2;
        box = Bounds(box.left - 1, box.top, w + 2, h);
        ::win32::SetTextColor(dc, RGB(0, 0, 0));
        ::win32::SetBkColor(dc, RGB(255, 255, 255));
        ::win32::DrawFocusRect(dc, &box);
    }
}

void TButtonControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_GETDLGCODE: m.Result = DialogCode(); return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (m.Msg == WM_KILLFOCUS && spaceDown_) {
                spaceDown_ = false;
                SetPressed(false);
            }
            TCustomControl::Dispatch(m);
            Invalidate();
            return;
        case WM_CANCELMODE:
            tracking_ = false;
            SetPressed(false);
            TCustomControl::Dispatch(m);
            return;
        case CM_TEXTCHANGED:
        case CM_ENABLEDCHANGED:
            TCustomControl::Dispatch(m);
            Invalidate();
            return;
        case CM_DIALOGCHAR:
            if (IsAccel(static_cast<UINT>(m.WParam), Caption()) && CanFocus()) {
                SetFocus();
                Press();
                m.Result = 1;
                return;
            }
            TCustomControl::Dispatch(m);
            return;
        default: TCustomControl::Dispatch(m);
    }
}

// TButton

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetParentColor(false);
    SetColor(clBtnFace);
}

void TButton::SetDefault(bool isDefault) {
    if (isDefault == default_) return;
    default_ = isDefault;
    TCustomForm* form = GetParentForm(this);
    TWinControl* focused = form != nullptr ? form->ActiveControl() : nullptr;
    active_ = dynamic_cast<TButton*>(focused) != nullptr ? focused == this : default_;
    Invalidate();
}

LRESULT TButton::DialogCode() const { return DLGC_BUTTON | (active_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON); }

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this); form != nullptr && modalResult_ != mrNone) {
        form->SetModalResult(modalResult_);
    }
    TButtonControl::Click();
}

void TButton::DrawFace(TCanvas* canvas, TRect r) {
    bool focused = Focused();
    DrawCaption(canvas, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE, focused);
}

void TButton::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    // The default button carries a black frame around its face.
    if (active_) {
        c->Brush()->SetColor(clWindowFrame);
        c->FrameRect(r);
        ::win32::InflateRect(&r, -1, -1);
    }
    UINT state = DFCS_BUTTONPUSH;
    if (Pressed()) state |= active_ ? DFCS_FLAT : DFCS_PUSHED;
    if (!Enabled()) state |= DFCS_INACTIVE;
    TRect face = r;
    if (Pressed() && active_) {
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(face);
        ::win32::InflateRect(&face, -1, -1);
        c->Brush()->SetColor(Color());
        c->FillRect(face);
    } else {
        DrawFrameControl(c->Handle(), &face, DFC_BUTTON, state);
        ::win32::InflateRect(&face, -2, -2);
    }
    if (Pressed()) ::win32::OffsetRect(&face, 1, 1);
    DrawFace(c, face);
}

void TButton::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case CM_DIALOGKEY:
            if (((m.WParam == VK_RETURN && active_) || (m.WParam == VK_ESCAPE && cancel_)) &&
                KeyDataToShiftState(m.LParam).Empty() && CanFocus()) {
                Click();
                m.Result = 1;
                return;
            }
            TButtonControl::Dispatch(m);
            return;
        case CM_FOCUSCHANGED: {
            auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
            bool active = dynamic_cast<TButton*>(focused) != nullptr ? focused == this : default_;
            if (active != active_) {
                active_ = active;
                Invalidate();
            }
            TButtonControl::Dispatch(m);
            return;
        }
        default: TButtonControl::Dispatch(m);
    }
}

// TCheckBox

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 97, 17); }

void TCheckBox::SetState(TCheckBoxState state) {
    if (state == state_) return;
    state_ = state;
    Invalidate();
    Click();
}

void TCheckBox::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TCheckBox::Press() {
    switch (state_) {
        case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
        case cbGrayed: SetState(cbChecked); break;
        case cbChecked: SetState(cbUnchecked); break;
    }
}

void TCheckBox::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    int top = (RectHeight(r) - kBoxSize) / 2;
    bool boxLeft = alignment_ == taRightJustify;
    TRect box = boxLeft ? Bounds(0, top, kBoxSize, kBoxSize) : Bounds(r.right - kBoxSize, top, kBoxSize, kBoxSize);
    UINT state = DFCS_BUTTONCHECK;
    if (state_ != cbUnchecked) state |= DFCS_CHECKED;
    if (Pressed()) state |= DFCS_PUSHED;
    if (!Enabled() || state_ == cbGrayed) state |= DFCS_INACTIVE;
    DrawFrameControl(c->Handle(), &box, DFC_BUTTON, state);
    TRect text = boxLeft ? Rect(kBoxSize + 4, 0, r.right, r.bottom) : Rect(0, 0, r.right - kBoxSize - 4, r.bottom);
    DrawCaption(c, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, Focused());
}

void TCheckBox::Dispatch(TMessage& m) { TButtonControl::Dispatch(m); }

// TRadioButton

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 113, 17);
    // Only the checked button of a group is a tab stop.
    SetTabStop(false);
}

void TRadioButton::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TRadioButton::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    SetTabStop(checked);
    Invalidate();
    if (!checked) return;
    if (Parent() != nullptr) {
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* sibling = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
            if (sibling != nullptr && sibling != this) sibling->SetChecked(false);
        }
    }
    Click();
}

void TRadioButton::Press() { SetChecked(true); }

void TRadioButton::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    int top = (RectHeight(r) - kBoxSize) / 2;
    bool boxLeft = alignment_ == taRightJustify;
    TRect box = boxLeft ? Bounds(0, top, kBoxSize, kBoxSize) : Bounds(r.right - kBoxSize, top, kBoxSize, kBoxSize);
    UINT state = DFCS_BUTTONRADIO;
    if (checked_) state |= DFCS_CHECKED;
    if (Pressed()) state |= DFCS_PUSHED;
    if (!Enabled()) state |= DFCS_INACTIVE;
    DrawFrameControl(c->Handle(), &box, DFC_BUTTON, state);
    TRect text = boxLeft ? Rect(kBoxSize + 4, 0, r.right, r.bottom) : Rect(0, 0, r.right - kBoxSize - 4, r.bottom);
    DrawCaption(c, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, Focused());
}

void TRadioButton::Dispatch(TMessage& m) {
    if (m.Msg == WM_GETDLGCODE) {
        m.Result = DLGC_BUTTON | DLGC_RADIOBUTTON;
        return;
    }
    if (m.Msg == CM_ENTER) {
        // Moving onto a radio button with the arrow keys checks it.
        if (GetKeyState(VK_LEFT) < 0 || GetKeyState(VK_RIGHT) < 0 || GetKeyState(VK_UP) < 0 ||
            GetKeyState(VK_DOWN) < 0) {
            SetChecked(true);
        }
    }
    TButtonControl::Dispatch(m);
}

}  // namespace classlib
