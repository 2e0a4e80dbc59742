#include "classlib/forms.h"

#include <algorithm>

#include "classlib/application.h"
#include "classlib/consts.h"
#include "classlib/icon.h"
#include "classlib/menu_platform.h"
#include "classlib/menus.h"
#include "classlib/screen.h"

namespace classlib {

using namespace win32;

namespace {

int gFocusCount = 0;

// Sends a focus notification; false when the handler moved the focus
// elsewhere meanwhile, which ends the change in hand.
bool SendFocusMessage(HWND hwnd, UINT msg) {
    int count = gFocusCount;
    SendMessageA(hwnd, msg, 0, 0);
    return gFocusCount == count;
}

struct DisabledWindows {
    std::vector<HWND> windows;
    HWND except = nullptr;
};

BOOL CALLBACK DisableWindow(HWND hwnd, LPARAM param) {
    auto* list = reinterpret_cast<DisabledWindows*>(param);
    if (hwnd != list->except && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        list->windows.push_back(hwnd);
        EnableWindow(hwnd, FALSE);
    }
    return TRUE;
}

}  // namespace

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner), icon_(std::make_unique<TIcon>()) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetVisibleFlag(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBoundsValues(0, 0, 320, 240);
    formState_.Include(fsCreating);
    if (Screen != nullptr) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    // OnDestroy sees the form whole; then the components go while the form
    // is still a form.
    if (created_) {
        try {
            DoDestroy();
        } catch (...) {
            ReportException(this);
        }
    }
    Destroying();
    DestroyComponents();
    if (Screen != nullptr) Screen->RemoveForm(this);
    if (Application != nullptr && Application->MainForm() == this) Application->SetMainForm(nullptr);
    if (menu_ != nullptr) menu_->SetWindowHandle(nullptr);
}

void TCustomForm::AfterConstruction() {
    if (created_) return;
    created_ = true;
    formState_.Exclude(fsCreating);
    DoCreate();
    if (formState_.Contains(fsVisible)) SetVisible(true);
}

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() {
    if (OnDestroy) OnDestroy(this);
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TCustomForm::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
    p.WndParent = nullptr;
    if (formState_.Contains(fsModal)) {
        HWND active = GetActiveWindow();
        // The handle is being made here: asking for it would make it again.
        if (active != nullptr && !(HandleAllocated() && active == Handle())) p.WndParent = active;
    }
    p.Style &= ~(WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_POPUP);
    switch (borderStyle_) {
        case bsNone: p.Style |= WS_POPUP; break;
        case bsSingle:
        case bsToolWindow: p.Style |= WS_CAPTION | WS_BORDER; break;
        case bsSizeable:
        case bsSizeToolWin: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
        case bsDialog:
            p.Style |= WS_POPUP | WS_CAPTION;
            p.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
            break;
    }
    if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
        p.Style |= WS_SYSMENU;
        if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
            if (borderIcons_.Contains(biMinimize)) p.Style |= WS_MINIMIZEBOX;
            if (borderIcons_.Contains(biMaximize)) p.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) p.ExStyle |= WS_EX_TOOLWINDOW;
    if (formStyle_ == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
    if (windowState_ == wsMinimized) p.Style |= WS_MINIMIZE;
    if (windowState_ == wsMaximized) p.Style |= WS_MAXIMIZE;
    if (position_ == poDefault || position_ == poDefaultPosOnly) {
        p.X = CW_USEDEFAULT;
        p.Y = CW_USEDEFAULT;
    }
    p.WindowClass.style |= CS_DBLCLKS;
    p.WindowClass.hIcon = icon_->Handle();
    if (p.WindowClass.hIcon == nullptr && Application != nullptr) p.WindowClass.hIcon = Application->Icon();
}

void TCustomForm::CreateWnd() {
    TCustomControl::CreateWnd();
    if (menu_ != nullptr) menu_->SetWindowHandle(Handle());
}

void TCustomForm::InitializeWindow() {
    if (!Text().empty()) SetWindowTextA(Handle(), Text().c_str());
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
    if (icons == borderIcons_) return;
    borderIcons_ = icons;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle style) {
    if (style == formStyle_) return;
    formStyle_ = style;
    if (HandleAllocated()) {
        SetWindowPos(Handle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

TWindowState TCustomForm::WindowState() const {
    if (HandleAllocated() && IsWindowVisible(const_cast<TCustomForm*>(this)->Handle())) {
        HWND hwnd = const_cast<TCustomForm*>(this)->Handle();
        if (IsIconic(hwnd)) return wsMinimized;
        if (IsZoomed(hwnd)) return wsMaximized;
        return wsNormal;
    }
    return windowState_;
}

void TCustomForm::SetWindowState(TWindowState state) {
    windowState_ = state;
    if (HandleAllocated() && Showing()) {
        static constexpr int kShow[] = {SW_SHOWNORMAL, SW_MINIMIZE, SW_SHOWMAXIMIZED};
        ShowWindow(Handle(), kShow[state]);
    }
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu == menu_) return;
    if (menu_ != nullptr) menu_->SetWindowHandle(nullptr);
    menu_ = menu;
    if (menu != nullptr) menu->FreeNotification(this);
    if (HandleAllocated()) {
        if (menu != nullptr) {
            menu->SetWindowHandle(Handle());
        } else {
            menu_platform::SetWindowMenu(Handle(), nullptr);
        }
    }
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove) {
        if (component == menu_) {
            menu_ = nullptr;
            if (HandleAllocated() && !ComponentState().Contains(csDestroying)) menu_platform::SetWindowMenu(Handle(), nullptr);
        }
        if (component == activeControl_) activeControl_ = nullptr;
        if (component == focusedControl_) focusedControl_ = nullptr;
    }
    TCustomControl::Notification(component, operation);
}

// Showing and placement

void TCustomForm::SetVisible(bool visible) {
    if (formState_.Contains(fsCreating)) {
        if (visible) {
            formState_.Include(fsVisible);
        } else {
            formState_.Exclude(fsVisible);
        }
        return;
    }
    TCustomControl::SetVisible(visible);
}

bool TCustomForm::Showing() { return TCustomControl::Showing(); }

void TCustomForm::Show() {
    AfterConstruction();
    SetVisible(true);
    if (HandleAllocated()) BringWindowToTop(Handle());
}

void TCustomForm::PlaceOnFirstShow() {
    if (placed_) return;
    placed_ = true;
    if (position_ == poScreenCenter || position_ == poDesktopCenter ||
        (position_ == poMainFormCenter && Application->MainForm() == nullptr)) {
        int x = std::max(0, (Screen->Width() - Width()) / 2);
        int y = std::max(0, (Screen->Height() - Height()) / 2);
        SetBounds(x, y, Width(), Height());
    } else if (position_ == poMainFormCenter || position_ == poOwnerFormCenter) {
        TCustomForm* center = position_ == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
        if (center == nullptr) center = Application->MainForm();
        if (center != nullptr && center != this) {
            int x = center->Left() + (center->Width() - Width()) / 2;
            int y = center->Top() + (center->Height() - Height()) / 2;
            SetBounds(std::max(0, x), std::max(0, y), Width(), Height());
        }
    }
}

void TCustomForm::CMShowingChanged(TMessage&) {
    if (formState_.Contains(fsShowing)) throw EInvalidOperation(SVisibleChanged);
    formState_.Include(fsShowing);
    try {
        if (Showing()) {
            try {
                DoShow();
            } catch (...) {
                ReportException(this);
            }
            PlaceOnFirstShow();
            static constexpr int kShow[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
            ShowWindow(Handle(), kShow[windowState_]);
        } else {
            try {
                DoHide();
            } catch (...) {
                ReportException(this);
            }
            ShowWindow(Handle(), SW_HIDE);
        }
    } catch (...) {
        formState_.Exclude(fsShowing);
        throw;
    }
    formState_.Exclude(fsShowing);
}

// Modal forms and closing

int TCustomForm::ShowModal() {
    AfterConstruction();
    if (Visible() || !Enabled() || formState_.Contains(fsModal) || formStyle_ == fsMDIChild) {
        throw EInvalidOperation(SCannotShowModal);
    }
    if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    formState_.Include(fsModal);
    HWND activeWindow = GetActiveWindow();
    int saveFocusCount = gFocusCount;
    TCustomForm* savedFocusedForm = Screen->FocusedForm();
    Screen->SetFocusedForm(this);
    TCursor saveCursor = Screen->Cursor();
    Screen->SetCursor(crDefault);
    // A modal form shown before needs a window owned by the active one.
    if (HandleAllocated() && activeWindow != nullptr && activeWindow != Handle() &&
        GetWindow(Handle(), GW_OWNER) != activeWindow) {
        DestroyHandle();
    }
    DisabledWindows disabled;
    disabled.except = HandleAllocated() ? Handle() : nullptr;
    EnumWindows(DisableWindow, reinterpret_cast<LPARAM>(&disabled));
    int result = mrNone;
    auto restore = [&] {
        for (HWND hwnd : disabled.windows) {
            if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
        }
        Screen->SetFocusedForm(savedFocusedForm);
        Screen->SetCursor(saveCursor);
        if (activeWindow != nullptr && IsWindow(activeWindow)) SetActiveWindow(activeWindow);
        gFocusCount = saveFocusCount;
        formState_.Exclude(fsModal);
    };
    try {
        Show();
        // The form's own window was not made yet when the others were
        // disabled; make sure it takes input.
        EnableWindow(Handle(), TRUE);
        try {
            SendMessageA(Handle(), CM_ACTIVATE, 0, 0);
            modalResult_ = mrNone;
            do {
                Application->HandleMessage();
                if (Application->Terminated()) {
                    modalResult_ = mrCancel;
                } else if (modalResult_ != mrNone) {
                    // CloseModal: OnCloseQuery and OnClose may keep the form.
                    try {
                        TCloseAction action = caNone;
                        if (CloseQuery()) {
                            action = caHide;
                            DoClose(action);
                        }
                        if (action == caNone) modalResult_ = mrNone;
                        if (action == caFree) Release();
                    } catch (...) {
                        modalResult_ = mrNone;
                        ReportException(this);
                    }
                }
            } while (modalResult_ == mrNone);
            result = modalResult_;
            if (HandleAllocated()) SendMessageA(Handle(), CM_DEACTIVATE, 0, 0);
        } catch (...) {
            Hide();
            throw;
        }
        Hide();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return result;
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (formState_.Contains(fsModal)) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = Application->MainForm() == this ? caFree : caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Application->Terminate();
    } else if (action == caHide) {
        Hide();
    } else if (action == caMinimize) {
        SetWindowState(wsMinimized);
    } else {
        Release();
    }
}

void TCustomForm::Release() {
    if (HandleAllocated()) {
        PostMessageA(Handle(), CM_RELEASE, 0, 0);
    } else {
        PostMessageA(Application->Handle(), CM_RELEASE, 0, reinterpret_cast<LPARAM>(this));
    }
}

void TCustomForm::CMRelease(TMessage&) {
    // Nothing of this form may be touched after this line.
    delete this;
}

void TCustomForm::WMClose(TMessage&) { Close(); }

// Activation and focus

void TCustomForm::SetActive(bool active) {
    active_ = active;
    if (active) {
        if (activeControl_ == nullptr && !ComponentState().Contains(csDesigning)) {
            activeControl_ = FindNextControl(nullptr, true, true, false);
        }
        HWND focus = activeControl_ != nullptr ? activeControl_->Handle() : Handle();
        if (focus != nullptr) ::win32::SetFocus(focus);
    }
}

void TCustomForm::WMActivate(TMessage& m) {
    DefaultHandler(m);
    SetActive(LOWORD(m.WParam) != WA_INACTIVE);
}

void TCustomForm::WMActivateApp(TMessage& m) {
    DefaultHandler(m);
    Application->ActivateApp(m.WParam != 0);
}

void TCustomForm::CMActivate(TMessage&) { Activate(); }

void TCustomForm::CMDeactivate(TMessage&) { Deactivate(); }

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == activeControl_) return;
    if (control != nullptr &&
        (control == this || GetParentForm(control) != this ||
         (!ComponentState().Contains(csLoading) && !control->CanFocus()))) {
        throw EInvalidOperation(SCannotFocus);
    }
    activeControl_ = control;
    if (control != nullptr) control->FreeNotification(this);
    if (!ComponentState().Contains(csLoading) && active_) {
        HWND focus = control != nullptr ? control->Handle() : Handle();
        ::win32::SetFocus(focus);
    }
}

void TCustomForm::FocusControl(TWinControl* control) {
    bool wasActive = active_;
    SetActiveControl(control);
    if (!wasActive) SetFocus();
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (removing && focusedControl_ != nullptr && control->ContainsControl(focusedControl_)) {
        focusedControl_ = control->Parent();
    }
    if (activeControl_ != nullptr && control->ContainsControl(activeControl_)) activeControl_ = nullptr;
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    ++gFocusCount;
    activeControl_ = control != this ? control : nullptr;
    Screen->SetActive(this, control);
    if (control->ControlState().Contains(csFocusing)) return false;
    control->SetControlState(control->ControlState() + csFocusing);
    struct Unfocusing {
        TWinControl* c;
        ~Unfocusing() { c->SetControlState(c->ControlState() - csFocusing); }
    } guard{control};
    if (Screen->FocusedForm() != this) {
        if (TCustomForm* old = Screen->FocusedForm()) {
            Screen->SetFocusedForm(nullptr);
            if (old->HandleAllocated() && !SendFocusMessage(old->Handle(), CM_DEACTIVATE)) return false;
        }
        Screen->SetFocusedForm(this);
        if (!SendFocusMessage(Handle(), CM_ACTIVATE)) return false;
    }
    if (focusedControl_ == nullptr) focusedControl_ = this;
    if (focusedControl_ != control) {
        while (focusedControl_ != nullptr && !focusedControl_->ContainsControl(control)) {
            HWND hwnd = focusedControl_->Handle();
            focusedControl_ = focusedControl_->Parent();
            if (!SendFocusMessage(hwnd, CM_EXIT)) return false;
        }
        while (focusedControl_ != control) {
            TWinControl* step = control;
            while (step->Parent() != focusedControl_) step = step->Parent();
            focusedControl_ = step;
            if (!SendFocusMessage(step->Handle(), CM_ENTER)) return false;
        }
        Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
    }
    return true;
}

// Keys and menus

bool TCustomForm::IsShortCut(TMessage& m) {
    bool handled = false;
    if (OnShortCut) OnShortCut(m, handled);
    if (!handled && menu_ != nullptr) handled = menu_->IsShortCut(m);
    return handled;
}

void TCustomForm::CMDialogKey(TMessage& m) {
    if (GetKeyState(VK_MENU) >= 0) {
        switch (m.WParam) {
            case VK_TAB:
                if (GetKeyState(VK_CONTROL) >= 0) {
                    SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
                    m.Result = 1;
                    return;
                }
                break;
            case VK_LEFT:
            case VK_RIGHT:
            case VK_UP:
            case VK_DOWN:
                if (activeControl_ != nullptr && activeControl_->Parent() != nullptr) {
                    activeControl_->Parent()->SelectNext(activeControl_, m.WParam == VK_RIGHT || m.WParam == VK_DOWN,
                                                         false);
                    m.Result = 1;
                }
                return;
            default: break;
        }
    }
    TWinControl::CMDialogKey(m);
}

void TCustomForm::WMCommand(TMessage& m) {
    if (m.LParam == 0 && menu_ != nullptr && HIWORD(m.WParam) == 0 && menu_->DispatchCommand(LOWORD(m.WParam))) {
        return;
    }
    TCustomControl::WMCommand(m);
}

void TCustomForm::WMInitMenuPopup(TMessage& m) {
    if (menu_ != nullptr) menu_->DispatchPopup(reinterpret_cast<HMENU>(m.WParam));
    DefaultHandler(m);
}

void TCustomForm::WMMenuSelect(TMessage& m) {
    if (menu_ == nullptr) {
        DefaultHandler(m);
        return;
    }
    WORD item = LOWORD(m.WParam), flags = HIWORD(m.WParam);
    TMenuItem* menuItem = nullptr;
    if (!(flags == 0xFFFF && m.LParam == 0)) {
        if (flags & menu_platform::kPopupFlag) {
            HMENU sub = menu_platform::SubMenu(reinterpret_cast<HMENU>(m.LParam), item);
            menuItem = menu_->FindItem(reinterpret_cast<UINT_PTR>(sub), fkHandle);
        } else {
            menuItem = menu_->FindItem(item, fkCommand);
        }
    }
    Application->SetHint(menuItem != nullptr ? GetLongHint(menuItem->Hint()) : std::string());
}

void TCustomForm::WMSysCommand(TMessage& m) { DefaultHandler(m); }

void TCustomForm::WMGetMinMaxInfo(TMessage& m) {
    DefaultHandler(m);
    auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
    if (info == nullptr) return;
    const TSizeConstraints& c = Constraints();
    if (c.MinWidth > 0) info->ptMinTrackSize.x = c.MinWidth;
    if (c.MinHeight > 0) info->ptMinTrackSize.y = c.MinHeight;
    if (c.MaxWidth > 0) info->ptMaxTrackSize.x = c.MaxWidth;
    if (c.MaxHeight > 0) info->ptMaxTrackSize.y = c.MaxHeight;
}

void TCustomForm::WMSysColorChange(TMessage& m) {
    DefaultHandler(m);
    Perform(CM_SYSCOLORCHANGE, 0, 0);
}

void TCustomForm::WMSize(TMessage& m) {
    TCustomControl::WMSize(m);
}

void TCustomForm::WMDestroy(TMessage& m) { DefaultHandler(m); }

void TCustomForm::CMTextChanged(TMessage&) {}

void TCustomForm::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_CLOSE: return WMClose(m);
        case WM_ACTIVATE: return WMActivate(m);
        case WM_ACTIVATEAPP: return WMActivateApp(m);
        case WM_COMMAND: return WMCommand(m);
        case WM_INITMENUPOPUP: return WMInitMenuPopup(m);
        case WM_MENUSELECT: return WMMenuSelect(m);
        case WM_SYSCOMMAND: return WMSysCommand(m);
        case WM_GETMINMAXINFO: return WMGetMinMaxInfo(m);
        case WM_SYSCOLORCHANGE: return WMSysColorChange(m);
        case WM_DESTROY: return WMDestroy(m);
        case CM_SHOWINGCHANGED: return CMShowingChanged(m);
        case CM_RELEASE: return CMRelease(m);
        case CM_ACTIVATE: return CMActivate(m);
        case CM_DEACTIVATE: return CMDeactivate(m);
        case CM_DIALOGKEY: return CMDialogKey(m);
        case CM_TEXTCHANGED: return CMTextChanged(m);
        default: TCustomControl::Dispatch(m);
    }
}

}  // namespace classlib
