// Scrolling windowed controls: TControlScrollBar (a window scroll bar with
// range, position and thumb tracking), TScrollingWinControl (children
// moved as the bars move, range following them with AutoScroll) and
// TScrollBox.
#pragma once

#include <memory>

#include "classlib/forms.h"

namespace classlib {

class TScrollingWinControl;

enum TScrollBarKind { sbHorizontal, sbVertical };

class TControlScrollBar : public TPersistent {
public:
    TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind) : control_(control), kind_(kind) {}

    TScrollBarKind Kind() const { return kind_; }
    // The scrolled extent in pixels; the bar shows while it exceeds the
    // client size.
    int Range() const { return range_; }
    void SetRange(int range);
    int Position() const { return position_; }
    // Moves the children by the change and keeps within the range.
    void SetPosition(int position);
    int Increment() const { return increment_; }
    void SetIncrement(int increment) { increment_ = increment; }
    int Margin() const { return margin_; }
    void SetMargin(int margin) { margin_ = margin; }
    // With tracking the children follow the thumb while it is dragged.
    bool Tracking() const { return tracking_; }
    void SetTracking(bool tracking) { tracking_ = tracking; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool IsScrollBarVisible();
    void Assign(const TPersistent* source) override;

private:
    friend class TScrollingWinControl;
    int ControlSize();
    int MaxPosition();
    void Update();
    void ScrollMessage(win32::WORD code, int thumb);

    TScrollingWinControl* control_;
    TScrollBarKind kind_;
    int range_ = 0;
    int position_ = 0;
    int increment_ = 8;
    int margin_ = 0;
    bool tracking_ = false;
    bool visible_ = true;
    int calcRange_ = 0;
};

class TScrollingWinControl : public TWinControl {
public:
    explicit TScrollingWinControl(TComponent* owner);
    ~TScrollingWinControl() override;

    TControlScrollBar* HorzScrollBar() const { return horz_.get(); }
    TControlScrollBar* VertScrollBar() const { return vert_.get(); }
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool autoScroll);
    // Moves every child by (dx, dy) pixels.
    void ScrollBy(int dx, int dy);
    void ScrollInView(TControl* control);

protected:
    void AlignControls(TControl* control, TRect& rect) override;
    void CreateWnd() override;
    void Dispatch(TMessage& message) override;
    void CalcAutoRange();

private:
    friend class TControlScrollBar;
    void UpdateScrollBars();
    std::unique_ptr<TControlScrollBar> horz_;
    std::unique_ptr<TControlScrollBar> vert_;
    bool autoScroll_ = true;
    int updatingScrollBars_ = 0;
};

class TScrollBox : public TScrollingWinControl {
public:
    explicit TScrollBox(TComponent* owner);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TFormBorderStyle borderStyle_ = bsSingle;
};

}  // namespace classlib
