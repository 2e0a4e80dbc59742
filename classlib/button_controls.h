// The push button, check box and radio button on the window system's
// "BUTTON" class. The window presses, tracks the mouse, paints and tells
// of clicks (BN_CLICKED, reflected as CN_COMMAND); the library keeps the
// state, the Default and Cancel buttons that answer Enter and Escape, the
// default look following the focused button, accelerators, ModalResult and
// the radio buttons of one parent unchecking each other.
#pragma once

#include <string>

#include "classlib/forms.h"
#include "classlib/stdctrls.h"

namespace classlib {

class TButtonControl : public TWinControl {
public:
    explicit TButtonControl(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void Dispatch(TMessage& message) override;
    // BN_CLICKED from the window: the user pressed and let go over it.
    virtual void Clicked() { Click(); }
    virtual void DoubleClicked() {}
    // The style word of the kind: BS_PUSHBUTTON, BS_AUTOCHECKBOX, ...
    void SetButtonType(win32::DWORD type);
    // BS_LEFTTEXT for taLeftJustify; taRightJustify puts the box at the
    // left and the text right of it.
    static win32::DWORD AlignmentStyle(TAlignment alignment);
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool cancel) { cancel_ = cancel; }
    // Clicking sets the form's ModalResult to this value when it is not
    // mrNone.
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    // The button Enter would press now: the focused button, or the default
    // one while the focus is on a control that is no button.
    bool Active() const { return active_; }

    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Dispatch(TMessage& message) override;
    // Gives the window the default look or takes it away.
    virtual void SetButtonStyle(bool isDefault);

private:
    void SetActive(bool active);

    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;
    TModalResult modalResult_ = mrNone;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* owner);
    TCheckBoxState State() const { return state_; }
    // A new state runs OnClick, set by the user or by the program.
    void SetState(TCheckBoxState state);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    // The user's clicks then go unchecked, grayed, checked.
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool allow);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void Dispatch(TMessage& message) override;
    void Clicked() override;
    // The state after the next click.
    void Toggle();

private:
    win32::DWORD Type() const;

    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;
};

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* owner);
    bool Checked() const { return checked_; }
    // Checking turns the other radio buttons of the parent off and clicks.
    void SetChecked(bool checked);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void Dispatch(TMessage& message) override;
    void Clicked() override { SetChecked(true); }
    void DoubleClicked() override { DblClick(); }

private:
    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;
};

}  // namespace classlib
