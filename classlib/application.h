// TApplication: the message loop, the main form, the application window
// with its hooks and activation notifications, hints (Hint, OnHint and the
// hint window after the usual pause) and the error box of HandleException.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/component.h"
#include "classlib/controls.h"
#include "classlib/graphics.h"
#include "platform/windows.h"

namespace classlib {

class TCustomForm;
class THintWindow;

using TExceptionEvent = std::function<void(TObject* sender, const std::exception& e)>;
using TIdleEvent = std::function<void(TObject* sender, bool& done)>;
using TMessageEvent = std::function<void(win32::MSG& msg, bool& handled)>;
// A hook on the application window: true when it handled the message.
using TWindowHook = std::function<bool(TMessage& message)>;

struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint HintPos{0, 0};
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect{0, 0, 0, 0};
    TPoint CursorPos{0, 0};
    std::string HintStr;
    int ReshowTimeout = 0;
    int HideTimeout = 0;
};
using TShowHintEvent = std::function<void(std::string& hintStr, bool& canShow, THintInfo& hintInfo)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    void Initialize();
    // Creates a form owned by the application; the first one becomes the
    // main form. OnCreate runs before it returns.
    template <class T, class... Args>
    T* CreateForm(T*& reference, Args&&... args) {
        reference = new T(this, std::forward<Args>(args)...);
        AdoptForm(reference);
        return reference;
    }
    // Shows the main form and handles messages until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every message waiting, then returns.
    void ProcessMessages();
    // Handles one message, or waits for one after the idle work.
    void HandleMessage();

    TCustomForm* MainForm() const { return mainForm_; }
    void SetMainForm(TCustomForm* form) { mainForm_ = form; }
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool show) { showMainForm_ = show; }
    const std::string& Title() const { return title_; }
    // The program's icon "MAINICON", which forms without one of their own
    // show; null when the program has none.
    win32::HICON Icon() const;
    void SetTitle(const std::string& title);
    // The hidden application window (hooks and activation messages).
    win32::HWND Handle();
    bool Active() const { return active_; }

    // The error box: the exception's message, the application's title as
    // caption, a stop icon and OK. EAbort is silent; OnException replaces
    // the box. Called from inside a catch block, for the exception in hand.
    void HandleException(TObject* sender);
    void ShowException(const std::exception& e);
    int MessageBox(const std::string& text, const std::string& caption, win32::UINT flags);

    void HookMainWindow(const TWindowHook* hook);
    void UnhookMainWindow(const TWindowHook* hook);

    // The long hint of the control under the mouse, or whatever a component
    // puts there; OnHint follows every change.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);
    TColor HintColor() const { return hintColor_; }
    void SetHintColor(TColor color) { hintColor_ = color; }
    int HintPause() const { return hintPause_; }
    void SetHintPause(int ms) { hintPause_ = ms; }
    int HintShortPause() const { return hintShortPause_; }
    void SetHintShortPause(int ms) { hintShortPause_ = ms; }
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int ms) { hintHidePause_ = ms; }
    void CancelHint();
    void ActivateHint(TPoint cursorPos);
    THintWindow* HintWindow() const { return hintWindow_.get(); }
    // Called for each mouse message a control receives.
    void HintMouseMessage(TControl* control, TMessage& message);
    // The application became active or inactive (WM_ACTIVATEAPP): posts
    // CM_ACTIVATE or CM_DEACTIVATE to the application window.
    void ActivateApp(bool active);
    // Called by every control's destructor.
    void ControlDestroyed(TControl* control);

    TNotifyEvent OnHint;
    TExceptionEvent OnException;
    TIdleEvent OnIdle;
    TMessageEvent OnMessage;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TShowHintEvent OnShowHint;

    void Dispatch(TMessage& message) override;

private:
    void AdoptForm(TCustomForm* form);
    bool ProcessMessage(win32::MSG& msg);
    void Idle();
    TControl* DoMouseIdle();
    bool IsKeyMsg(win32::MSG& msg);
    bool IsHintMsg(win32::MSG& msg);
    void WndProc(TMessage& message);
    void HintTimerExpired();
    void StartHintTimer(int ms, bool hide);
    void StopHintTimer();
    static win32::LRESULT CALLBACK AppWndProc(win32::HWND hwnd, win32::UINT msg, win32::WPARAM wParam,
                                              win32::LPARAM lParam);

    TCustomForm* mainForm_ = nullptr;
    bool showMainForm_ = true;
    bool terminated_ = false;
    bool active_ = false;
    bool running_ = false;
    std::string title_;
    win32::HWND handle_ = nullptr;
    std::vector<const TWindowHook*> hooks_;
    std::string hint_;
    bool showHint_ = true;
    TColor hintColor_ = clInfoBk;
    int hintPause_ = 500;
    int hintShortPause_ = 50;
    int hintHidePause_ = 2500;
    std::unique_ptr<THintWindow> hintWindow_;
    TControl* hintControl_ = nullptr;
    TControl* mouseControl_ = nullptr;
    bool hintActive_ = false;
    bool hintTimerForHide_ = false;
    win32::UINT_PTR hintTimer_ = 0;
    TRect hintCursorRect_{0, 0, 0, 0};
    int messageBoxDepth_ = 0;
};

// The application object, made by the library at start-up.
extern TApplication* Application;

}  // namespace classlib
