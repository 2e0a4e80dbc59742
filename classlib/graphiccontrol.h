// Controls that paint themselves through a canvas: TControlCanvas (a canvas
// on a control's device context), TGraphicControl (windowless, painted and
// hit-tested by its parent) and TCustomControl (windowed, with Paint).
#pragma once

#include <memory>

#include "classlib/canvas.h"
#include "classlib/wincontrol.h"

namespace classlib {

// A canvas that draws on a control: a windowed control's own DC, or the
// parent's DC moved and clipped to a windowless control.
class TControlCanvas : public TCanvas {
public:
    TControlCanvas() = default;
    ~TControlCanvas() override;
    TControl* Control() const { return control_; }
    void SetControl(TControl* control);
    // Releases the DC obtained by CreateHandle, if any.
    void FreeHandle();
    // Moves the origin and clip to the control (for a windowless one).
    void UpdateTextFlags() {}

protected:
    void CreateHandle() override;

private:
    TControl* control_ = nullptr;
    win32::HDC deviceContext_ = nullptr;
    win32::HWND window_ = nullptr;
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TCanvas* Canvas() const { return canvas_.get(); }

protected:
    // Draws the control on Canvas, whose origin is the control's top-left.
    virtual void Paint() {}
    void Dispatch(TMessage& message) override;
    void WMPaint(TMessage& message);

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    TCanvas* Canvas() const { return canvas_.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow(win32::HDC dc) override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

}  // namespace classlib
