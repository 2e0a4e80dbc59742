// TControl: the visual object model. Position and alignment, visibility,
// enabling, text, hints, fonts and colours with parent inheritance, the
// control and state flags, mouse events, and the CM_ notifications sent
// when these change. Windowed controls are in wincontrol.h, windowless and
// custom-painted ones in graphiccontrol.h.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "classlib/component.h"
#include "classlib/exceptions.h"
#include "classlib/graphics.h"
#include "classlib/messages.h"

namespace classlib {

class TWinControl;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TControlStyleFlag {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
};
using TControlStyle = TSet<TControlStyleFlag>;

enum TControlStateFlag {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking,
};
using TControlState = TSet<TControlStateFlag>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

using TCursor = short;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, win32::WORD& key, TShiftState shift)>;
// The character is a Unicode code point; setting it to 0 swallows it.
using TKeyPressEvent = std::function<void(TObject* sender, char32_t& key)>;

// Limits on a control's size; 0 means no limit.
struct TSizeConstraints {
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
};

// The part of a hint before the first "|", and the part after it; a hint
// without "|" is both.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);

TShiftState KeysToShiftState(win32::WORD keys);
TShiftState KeyDataToShiftState(win32::LPARAM keyData);
// Whether key is the accelerator of caption (the character after a single
// "&", compared without case).
bool IsAccel(win32::UINT key, const std::string& caption);

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // Sends a message straight to the control's WndProc and returns Result.
    win32::LRESULT Perform(win32::UINT msg, win32::WPARAM wParam, win32::LPARAM lParam);
    // The message path: mouse bookkeeping and hints, then Dispatch.
    virtual void WndProc(TMessage& message);
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    TWinControl* Parent() const { return parent_; }
    // Raises EInvalidOperation for the control itself; moves the control to
    // the new parent's control list.
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.left, r.top, RectWidth(r), RectHeight(r)); }
    virtual TRect ClientRect();
    int ClientWidth() { return RectWidth(ClientRect()); }
    int ClientHeight() { return RectHeight(ClientRect()); }
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    void SetClientSize(int width, int height);
    // Screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin();
    TPoint ClientToScreen(TPoint p);
    TPoint ScreenToClient(TPoint p);

    // Sizes outside the constraints are pulled into them by SetBounds (and,
    // for a form, while the user drags its frame).
    const TSizeConstraints& Constraints() const { return constraints_; }
    void SetConstraints(const TSizeConstraints& constraints);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    // Visible here and in every parent up to a shown top-level window.
    virtual bool Showing();

    // Caption and Text are the same string, as in the library.
    virtual std::string Text();
    virtual void SetText(const std::string& text);
    std::string Caption() { return Text(); }
    void SetCaption(const std::string& text) { SetText(text); }

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool parentShowHint);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont* font) { font_->Assign(font); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle style) { controlStyle_ = style; }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState state) { controlState_ = state; }

    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // The mouse capture of the library: a windowless control captures
    // through its parent's window.
    bool MouseCapture();
    void SetMouseCapture(bool capture);

    virtual void Click();
    virtual void DblClick();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnResize;

    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

protected:
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Resize();
    // Asks the parent to realign when this control is aligned.
    void RequestAlign();
    virtual void VisibleChanging() {}
    virtual void Changed();
    // The control's part of a repaint: invalidates its rectangle in the
    // parent window.
    void InvalidateControl(bool isVisible, bool isOpaque);

    // Message handlers by number.
    void WMLButtonDown(TMessage& m);
    void WMLButtonUp(TMessage& m);
    void WMLButtonDblClk(TMessage& m);
    void WMRButtonDown(TMessage& m);
    void WMRButtonUp(TMessage& m);
    void WMMButtonDown(TMessage& m);
    void WMMButtonUp(TMessage& m);
    void WMMouseMove(TMessage& m);
    void CMEnabledChanged(TMessage& m);
    void CMVisibleChanged(TMessage& m);
    void CMFontChanged(TMessage& m);
    void CMColorChanged(TMessage& m);
    void CMParentFontChanged(TMessage& m);
    void CMParentColorChanged(TMessage& m);
    void CMParentShowHintChanged(TMessage& m);
    void CMHitTest(TMessage& m);
    void WMContextMenu(TMessage& m);

    // Text as the control stores it when it has no window.
    std::string textValue_;

    // Left/Top/Width/Height set without moving a window (used when the
    // window reports its own new place).
    void SetBoundsValues(int left, int top, int width, int height);
    void ConstrainSize(int& width, int& height) const;
    // Visible set without notifications, for a control created hidden.
    void SetVisibleFlag(bool visible) { visible_ = visible; }

private:
    friend class TWinControl;
    void DoMouseDown(TMessage& m, TMouseButton button, TShiftState extra);
    void DoMouseUp(TMessage& m, TMouseButton button);
    void FontChanged();

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TCursor cursor_ = crDefault;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = true;
    TPopupMenu* popupMenu_ = nullptr;
    TControlStyle controlStyle_;
    TControlState controlState_;
    TSizeConstraints constraints_;
};

// The form a control sits on (the top of its parent chain when that is a
// form), or null.
class TCustomForm;
TCustomForm* GetParentForm(TControl* control);

}  // namespace classlib
