// TSpinEdit: a one-line edit for a whole number with a pair of arrows
// (the window system's up-down control) at its right. The arrows, the Up
// and Down keys and typing all change the value; the value stays within
// MinValue..MaxValue when both are set and MinValue < MaxValue.
#pragma once

#include "classlib/edit.h"

namespace classlib {

class TSpinEdit : public TCustomEdit {
public:
    explicit TSpinEdit(TComponent* owner);

    int MinValue() const { return minValue_; }
    void SetMinValue(int value);
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value);
    // The number in the edit, within the limits; text that is no number
    // leaves the last number typed or set.
    int Value() const { return CheckValue(value_); }
    void SetValue(int value);
    int Increment() const { return increment_; }
    void SetIncrement(int increment) { increment_ = increment; }
    // The arrows' window, null until the edit has its own.
    win32::HWND UpDownHandle() const { return upDown_; }

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void Dispatch(TMessage& message) override;
    void KeyDown(win32::WORD& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void Change() override;
    void DoExit() override;
    // The arrows' steps.
    virtual void UpClick();
    virtual void DownClick();

private:
    int CheckValue(int value) const;
    void Step(int delta);
    void PlaceUpDown();

    int minValue_ = 0;
    int maxValue_ = 0;
    int value_ = 0;
    int increment_ = 1;
    win32::HWND upDown_ = nullptr;
};

}  // namespace classlib
