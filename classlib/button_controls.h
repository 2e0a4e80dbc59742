// The push button, check box and radio button. Until the window system has
// its "BUTTON" class the library gives them their behaviour itself: focus
// and the space bar, mouse press and release inside, Default and Cancel
// buttons answering Enter and Escape, accelerators, and the classic look
// drawn with DrawFrameControl.
#pragma once

#include <string>

#include "classlib/forms.h"
#include "classlib/stdctrls.h"

namespace classlib {

class TButtonControl : public TCustomControl {
public:
    explicit TButtonControl(TComponent* owner);
    bool Pressed() const { return pressed_; }

protected:
    void Dispatch(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(win32::WORD& key, TShiftState shift) override;
    void KeyUp(win32::WORD& key, TShiftState shift) override;
    // What a completed press does (a push button clicks, a check box
    // toggles first).
    virtual void Press() { Click(); }
    virtual win32::LRESULT DialogCode() const { return win32::DLGC_BUTTON; }
    void DrawCaption(TCanvas* canvas, TRect r, win32::UINT flags, bool focused);

private:
    void SetPressed(bool pressed);
    bool pressed_ = false;
    bool tracking_ = false;
    bool spaceDown_ = false;
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
    // The button Enter would press now.
    bool Active() const { return active_; }

    void Click() override;

protected:
    void Paint() override;
    void Dispatch(TMessage& message) override;
    win32::LRESULT DialogCode() const override;
    virtual void DrawFace(TCanvas* canvas, TRect r);

private:
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
    void SetState(TCheckBoxState state);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool allow) { allowGrayed_ = allow; }
    // taRightJustify puts the box at the left and the text right of it.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

protected:
    void Paint() override;
    void Press() override;
    void Dispatch(TMessage& message) override;

private:
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
    void Paint() override;
    void Press() override;
    void Dispatch(TMessage& message) override;

private:
    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;
};

}  // namespace classlib
