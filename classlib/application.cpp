#include "classlib/application.h"

#include <algorithm>

#include "classlib/dialog_platform.h"
#include "classlib/forms.h"
#include "classlib/hintwindow.h"
#include "classlib/menus.h"
#include "classlib/screen.h"
#include "classlib/sysutils.h"

namespace classlib {

using namespace win32;

TApplication* Application = new TApplication(nullptr);

void ReportException(TObject* sender) {
    if (Application != nullptr) {
        Application->HandleException(sender);
        return;
    }
}

namespace {

constexpr const char* kAppClass = "TApplication";
constexpr UINT_PTR kHintTimerId = 0xC1A5;

}  // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() {
    Destroying();
    DestroyComponents();
    hintWindow_.reset();
    if (handle_ != nullptr) DestroyWindow(handle_);
}

void TApplication::Initialize() { Handle(); }

void TApplication::AdoptForm(TCustomForm* form) {
    if (mainForm_ == nullptr) mainForm_ = form;
    form->AfterConstruction();
}

HWND TApplication::Handle() {
    if (handle_ == nullptr) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &TApplication::AppWndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kAppClass;
        WNDCLASSA existing{};
        if (!GetClassInfoA(wc.hInstance, kAppClass, &existing)) RegisterClassA(&wc);
        handle_ = CreateWindowExA(WS_EX_TOOLWINDOW, kAppClass, title_.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    }
    return handle_;
}

win32::HICON TApplication::Icon() const { return LoadIconA(nullptr, "MAINICON"); }

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    if (handle_ != nullptr) SetWindowTextA(handle_, title.c_str());
}

LRESULT CALLBACK TApplication::AppWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (Application == nullptr || Application->handle_ != hwnd) {
        if (Application != nullptr && Application->handle_ == nullptr && msg == WM_NCCREATE) {
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    TMessage m{msg, wParam, lParam, 0};
    try {
        Application->WndProc(m);
    } catch (...) {
        Application->HandleException(Application);
    }
    return m.Result;
}

void TApplication::WndProc(TMessage& m) {
    // Hooks see every message of the application window first.
    for (const TWindowHook* hook : std::vector<const TWindowHook*>(hooks_)) {
        if (std::find(hooks_.begin(), hooks_.end(), hook) == hooks_.end()) continue;
        if ((*hook)(m)) return;
    }
    Dispatch(m);
}

void TApplication::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_ACTIVATEAPP:
            m.Result = DefWindowProcA(handle_, m.Msg, m.WParam, m.LParam);
            ActivateApp(m.WParam != 0);
            return;
        case CM_ACTIVATE:
            if (OnActivate) OnActivate(this);
            return;
        case CM_DEACTIVATE:
            if (OnDeactivate) OnDeactivate(this);
            return;
        case CM_RELEASE:
            // A form released before it had a window of its own.
            delete reinterpret_cast<TCustomForm*>(m.LParam);
            return;
        case WM_TIMER:
            if (m.WParam == kHintTimerId) HintTimerExpired();
            return;
        case WM_CLOSE:
            if (mainForm_ != nullptr) mainForm_->Close();
            return;
        default:
            if (handle_ != nullptr) m.Result = DefWindowProcA(handle_, m.Msg, m.WParam, m.LParam);
            return;
    }
}

void TApplication::ActivateApp(bool active) {
    if (active == active_) return;
    active_ = active;
    if (!active) CancelHint();
    PostMessageA(Handle(), active ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0);
}

void TApplication::HookMainWindow(const TWindowHook* hook) {
    if (hook != nullptr && std::find(hooks_.begin(), hooks_.end(), hook) == hooks_.end()) hooks_.push_back(hook);
}

void TApplication::UnhookMainWindow(const TWindowHook* hook) {
    hooks_.erase(std::remove(hooks_.begin(), hooks_.end(), hook), hooks_.end());
}

// The loop

void TApplication::Run() {
    running_ = true;
    if (mainForm_ != nullptr) {
        if (showMainForm_) mainForm_->Show();
        while (!terminated_) {
            try {
                HandleMessage();
            } catch (...) {
                HandleException(this);
            }
        }
    }
    running_ = false;
}

void TApplication::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
    MSG msg{};
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    MSG msg{};
    if (!ProcessMessage(msg)) Idle();
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    bool handled = false;
    if (OnMessage) OnMessage(msg, handled);
    if (!handled && !IsHintMsg(msg) && !IsKeyMsg(msg) && !dialog_platform::IsDialogMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

bool TApplication::IsHintMsg(MSG& msg) {
    if (hintWindow_ && hintWindow_->IsHintShowing() &&
        ((msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) || msg.message == WM_LBUTTONDOWN ||
         msg.message == WM_RBUTTONDOWN || msg.message == WM_MBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN ||
         msg.message == WM_ACTIVATEAPP)) {
        CancelHint();
    }
    return false;
}

bool TApplication::IsKeyMsg(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    // The focused control (or the capture) sees the key first as CN_KEYDOWN
    // and friends: menu shortcuts and dialog keys are taken there.
    HWND hwnd = GetCapture();
    if (hwnd == nullptr) {
        hwnd = msg.hwnd;
        while (hwnd != nullptr && TWinControl::FindControl(hwnd) == nullptr) hwnd = GetParent(hwnd);
        if (hwnd == nullptr) hwnd = msg.hwnd;
    } else if (TWinControl::FindControl(hwnd) == nullptr) {
        return false;
    }
    return hwnd != nullptr && SendMessageA(hwnd, CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

void TApplication::Idle() {
    TControl* control = DoMouseIdle();
    if (showHint_ && mouseControl_ == nullptr) CancelHint();
    // The hint of the control under the mouse (or of its nearest parent
    // that has one).
    TControl* withHint = control;
    while (withHint != nullptr && withHint->Hint().empty()) withHint = withHint->Parent();
    SetHint(withHint != nullptr ? GetLongHint(withHint->Hint()) : std::string());
    bool done = true;
    try {
        if (OnIdle) OnIdle(this, done);
    } catch (...) {
        HandleException(this);
    }
    if (done && !terminated_) WaitMessage();
}

TControl* TApplication::DoMouseIdle() {
    POINT p{};
    GetCursorPos(&p);
    TControl* target = FindDragTarget(p, true);
    if (target != nullptr && target->ComponentState().Contains(csDesigning)) target = nullptr;
    TControl* capture = GetCaptureControl();
    if (mouseControl_ != target) {
        if ((mouseControl_ != nullptr && capture == nullptr) || (capture != nullptr && mouseControl_ == capture)) {
            mouseControl_->Perform(CM_MOUSELEAVE, 0, 0);
        }
        mouseControl_ = target;
        if ((mouseControl_ != nullptr && capture == nullptr) || (capture != nullptr && mouseControl_ == capture)) {
            mouseControl_->Perform(CM_MOUSEENTER, 0, 0);
        }
    }
    return target;
}

void TApplication::ControlDestroyed(TControl* control) {
    if (mainForm_ == control) mainForm_ = nullptr;
    if (mouseControl_ == control) mouseControl_ = nullptr;
    if (hintControl_ == control) {
        hintControl_ = nullptr;
        CancelHint();
    }
}

// Errors

void TApplication::HandleException(TObject* sender) {
    if (!std::current_exception()) return;
    if (GetCapture() != nullptr) SendMessageA(GetCapture(), WM_CANCELMODE, 0, 0);
    try {
        throw;
    } catch (const EAbort&) {
        // Aborted operations end silently.
    } catch (const std::exception& e) {
        if (OnException) {
            OnException(sender, e);
        } else {
            ShowException(e);
        }
    } catch (...) {
        ShowException(Exception("不明な例外が発生しました"));
    }
}

void TApplication::ShowException(const std::exception& e) {
    const auto* ours = dynamic_cast<const Exception*>(&e);
    std::string text = ours != nullptr ? ours->Message() : std::string(e.what());
    // The library ends the message with a full stop unless it has one.
    if (!text.empty() && text.back() != '.') text += '.';
    MessageBox(text, title_, dialog_platform::kBoxOk | dialog_platform::kBoxIconStop);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    HWND owner = GetActiveWindow();
    if (owner == nullptr && mainForm_ != nullptr && mainForm_->HandleAllocated()) owner = mainForm_->Handle();
    ++messageBoxDepth_;
    int result = dialog_platform::MessageBox(owner, text, caption, flags);
    --messageBoxDepth_;
    return result;
}

// Hints

void TApplication::SetHint(const std::string& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    if (OnHint) OnHint(this);
}

void TApplication::SetShowHint(bool show) {
    if (show == showHint_) return;
    showHint_ = show;
    if (!show) {
        CancelHint();
        hintWindow_.reset();
    }
}

void TApplication::StartHintTimer(int ms, bool hide) {
    StopHintTimer();
    hintTimerForHide_ = hide;
    hintTimer_ = SetTimer(Handle(), kHintTimerId, static_cast<UINT>(std::max(ms, 1)), nullptr);
}

void TApplication::StopHintTimer() {
    if (hintTimer_ != 0) {
        KillTimer(Handle(), kHintTimerId);
        hintTimer_ = 0;
    }
}

void TApplication::CancelHint() {
    if (hintControl_ != nullptr) {
        StopHintTimer();
        hintControl_ = nullptr;
    }
    if (hintWindow_ && hintWindow_->HandleAllocated() && IsWindowVisible(hintWindow_->Handle())) {
        ShowWindow(hintWindow_->Handle(), SW_HIDE);
    }
    hintActive_ = false;
}

void TApplication::HintMouseMessage(TControl* control, TMessage& m) {
    if (!showHint_) return;
    POINT p = control->ClientToScreen(Point(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)));
    TControl* target = FindDragTarget(p, true);
    while (target != nullptr && !target->ShowHint()) target = target->Parent();
    if (target != nullptr && target->ComponentState().Contains(csDesigning)) target = nullptr;
    if (target == nullptr || GetShortHint(target->Hint()).empty()) {
        CancelHint();
        return;
    }
    if (m.Msg != WM_MOUSEMOVE) {
        CancelHint();
        return;
    }
    if (target != hintControl_ || !PtInRect(hintCursorRect_, p)) {
        bool wasActive = hintActive_;
        CancelHint();
        hintActive_ = wasActive;
        hintControl_ = target;
        StartHintTimer(wasActive ? hintShortPause_ : hintPause_, false);
    }
}

void TApplication::HintTimerExpired() {
    StopHintTimer();
    if (hintTimerForHide_) {
        CancelHint();
        return;
    }
    POINT p{};
    GetCursorPos(&p);
    ActivateHint(p);
}

void TApplication::ActivateHint(TPoint cursorPos) {
    if (hintControl_ == nullptr) return;
    TControl* control = hintControl_;
    THintInfo info;
    info.HintControl = control;
    info.HintColor = hintColor_;
    info.HintMaxWidth = Screen->Width();
    info.CursorPos = control->ScreenToClient(cursorPos);
    info.CursorRect = control->ClientRect();
    info.HintPos = Point(cursorPos.x, cursorPos.y + 20);
    info.HintStr = GetShortHint(control->Hint());
    info.HideTimeout = hintHidePause_;
    bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
    if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
    if (!canShow || info.HintStr.empty()) {
        hintActive_ = false;
        return;
    }
    if (!hintWindow_) hintWindow_ = std::make_unique<THintWindow>(nullptr);
    hintWindow_->SetColor(info.HintColor);
    TRect r = hintWindow_->CalcHintRect(info.HintMaxWidth, info.HintStr);
    r = Bounds(info.HintPos.x, info.HintPos.y, RectWidth(r), RectHeight(r));
    if (r.right > Screen->Width()) {
        int w = RectWidth(r);
        r.left = std::max(0, Screen->Width() - w);
        r.right = r.left + w;
    }
    TPoint origin = control->ClientOrigin();
    hintCursorRect_ = Bounds(origin.x + info.CursorRect.left, origin.y + info.CursorRect.top,
                             RectWidth(info.CursorRect), RectHeight(info.CursorRect));
    hintWindow_->ActivateHint(r, info.HintStr);
    hintActive_ = true;
    if (info.HideTimeout > 0) StartHintTimer(info.HideTimeout, true);
}

}  // namespace classlib
