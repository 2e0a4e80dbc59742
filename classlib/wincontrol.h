// TWinControl: a control with a window of its own, created on demand from
// CreateParams, receiving its messages through one window procedure that
// calls WndProc and reports exceptions to the application. It keeps the
// child controls, aligns them, paints the windowless ones, routes mouse
// input to them, and carries focus, tab order and keyboard events.
#pragma once

#include <string>
#include <vector>

#include "classlib/controls.h"
#include "classlib/list.h"
#include "platform/windows.h"

namespace classlib {

struct TCreateParams {
    std::string Caption;
    win32::DWORD Style = 0;
    win32::DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    win32::HWND WndParent = nullptr;
    void* Param = nullptr;
    win32::WNDCLASSA WindowClass{};
    std::string WinClassName;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window, created (with the windows of the parents) when first asked.
    win32::HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    // Destroys the window and makes it again from CreateParams, keeping the
    // control's state.
    void RecreateWnd();
    void DestroyHandle();
    // A foreign window to be the parent of a control without a parent control.
    win32::HWND ParentWindow() const { return parentWindow_; }
    void SetParentWindow(win32::HWND parent);
    // The control a window of this library belongs to, or null.
    static TWinControl* FindControl(win32::HWND hwnd);
    // The procedure the window falls back to for its default handling.
    win32::WNDPROC DefWndProc() const { return defWndProc_; }

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(TControl* control);
    // The topmost visible child control at a client point; windowed children
    // only when allowWinControls is set.
    TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false);
    // Sends the message to every child control until one sets Result.
    void Broadcast(TMessage& message);
    void NotifyControls(win32::UINT msg);

    void DisableAlign();
    void EnableAlign();
    bool AlignDisabled() const { return alignLevel_ != 0; }
    void Realign();
    void AlignControl(TControl* control);

    // The window has the keyboard focus (a control made of several windows
    // says so for its parts as well).
    virtual bool Focused();
    virtual bool CanFocus();
    virtual void SetFocus();
    int TabOrder();
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);
    void GetTabOrderList(TList<TWinControl>& list);
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent);
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    TBrush* Brush() const { return brush_.get(); }
    void PaintTo(win32::HDC dc, int x, int y);

    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() override;
    TPoint ClientOrigin() override;
    bool Showing() override;
    std::string Text() override;
    void SetText(const std::string& text) override;
    void SetParent(TWinControl* parent) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;

    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // The one window procedure of the library's windows.
    static win32::LRESULT CALLBACK StdWndProc(win32::HWND hwnd, win32::UINT msg, win32::WPARAM wParam,
                                              win32::LPARAM lParam);

protected:
    virtual void CreateParams(TCreateParams& params);
    // Makes the window class a copy of a platform class whose procedure
    // becomes DefWndProc (for controls built on "BUTTON", "EDIT", ...).
    void CreateSubClass(TCreateParams& params, const char* controlClassName);
    virtual void CreateHandle();
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& params);
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    // Puts the control's state into the new window.
    virtual void InitializeWindow() {}

    virtual void AlignControls(TControl* control, TRect& rect);
    virtual void AdjustClientRect(TRect& rect);

    virtual void PaintWindow(win32::HDC dc);
    void PaintHandler(TMessage& message);
    void PaintControls(win32::HDC dc, TControl* first);

    virtual void KeyDown(win32::WORD& key, TShiftState shift);
    virtual void KeyUp(win32::WORD& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    bool DoKeyDown(TMessage& m);
    bool DoKeyUp(TMessage& m);
    bool DoKeyPress(TMessage& m);
    virtual void DoEnter();
    virtual void DoExit();
    // Shows or hides the window as Visible and the parents say.
    void UpdateShowing();
    void UpdateControlState();
    virtual bool IsMenuKey(TMessage& m);

    // Message handlers by number.
    void WMPaint(TMessage& m);
    void WMEraseBkgnd(TMessage& m);
    void WMSize(TMessage& m);
    void WMMove(TMessage& m);
    void WMWindowPosChanged(TMessage& m);
    void WMSetFocus(TMessage& m);
    void WMKillFocus(TMessage& m);
    void WMKeyDown(TMessage& m);
    void WMKeyUp(TMessage& m);
    void WMChar(TMessage& m);
    void WMSetCursor(TMessage& m);
    void WMCommand(TMessage& m);
    void WMNotify(TMessage& m);
    void WMCtlColor(TMessage& m);
    void WMDrawItem(TMessage& m);
    void WMMeasureItem(TMessage& m);
    void WMScroll(TMessage& m);
    void WMNCDestroy(TMessage& m);
    void CNKeyDown(TMessage& m);
    void CNChar(TMessage& m);
    void CNSysChar(TMessage& m);
    void CMFocusChanged(TMessage& m);
    void CMDialogChar(TMessage& m);
    void CMDialogKey(TMessage& m);
    void CMEnter(TMessage& m);
    void CMExit(TMessage& m);
    void CMShowingChanged(TMessage& m);
    void CMColorChanged(TMessage& m);
    void CMFontChanged(TMessage& m);
    void CMEnabledChanged(TMessage& m);
    void CMVisibleChanged(TMessage& m);
    void CMRecreateWnd(TMessage& m);
    void CMSysColorChange(TMessage& m);
    void CMShowHintChanged(TMessage& m);
    void CMInvalidate(TMessage& m);

    // Reads the window's own position back into Left, Top, Width, Height.
    void UpdateBounds();

private:
    friend class TControl;
    void MainWndProc(TMessage& message);
    bool IsControlMouseMsg(TMessage& message);
    // Sends a reflected notification to the child control of hwnd.
    bool DoControlMsg(win32::HWND child, TMessage& message);

    win32::HWND handle_ = nullptr;
    win32::WNDPROC defWndProc_ = nullptr;
    win32::HWND parentWindow_ = nullptr;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    int alignLevel_ = 0;
    int lastChildId_ = 0;  // the id the last child window was given
    bool showing_ = false;
    bool tabStop_ = false;
    std::unique_ptr<TBrush> brush_;
};

// Hands an exception caught at a window procedure or event boundary to the
// application's handler; defined with the application.
void ReportException(TObject* sender);

// The control holding the library's mouse capture, or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

// The control under a screen point (windowless controls included).
TControl* FindDragTarget(TPoint pos, bool allowDisabled);
TControl* FindVCLWindow(TPoint pos);

}  // namespace classlib
