// The label, drawn by the library itself, and the group box.
// (Buttons and check boxes are in button_controls.h; the other controls on
// the window system's own classes are in edit.h, list_controls.h and spin.h.)
#pragma once

#include <string>

#include "classlib/graphiccontrol.h"

namespace classlib {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

// Frames r with a line of width pixels, top and left in top, bottom and
// right in bottom, and shrinks r past it.
void Frame3D(TCanvas* canvas, TRect& r, TColor top, TColor bottom, int width);

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout layout);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
    void SetTransparent(bool transparent);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool show);
    // The control an accelerator of the caption focuses.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control);

    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

protected:
    void Paint() override;
    void Dispatch(TMessage& message) override;
    // Draws the caption into r with flags (DT_CALCRECT measures).
    virtual void DoDrawText(TRect& r, win32::UINT flags);
    void AdjustBounds();

private:
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

// A frame with a caption around other controls, on the window system's
// "BUTTON" class (BS_GROUPBOX).
class TCustomGroupBox : public TWinControl {
public:
    explicit TCustomGroupBox(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void AdjustClientRect(TRect& rect) override;
    void Dispatch(TMessage& message) override;
};

class TGroupBox : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;
};

}  // namespace classlib
