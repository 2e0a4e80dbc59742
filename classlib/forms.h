// TCustomForm and TForm: top-level windows with border, position, window
// state, menu, active control and modal result; OnCreate/OnShow/OnClose/
// OnCloseQuery/OnDestroy; menu shortcuts looked up before keys reach the
// focused control; deferred release.
#pragma once

#include <functional>

#include "classlib/graphiccontrol.h"

namespace classlib {

class TMainMenu;
class TMenuItem;
class TIcon;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
                 poMainFormCenter, poOwnerFormCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateFlag { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateFlag>;

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
using TShortCutEvent = std::function<void(TMessage& message, bool& handled)>;

class TCustomForm : public TCustomControl {
public:
    // A form is created hidden; the caller shows it.
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Runs OnCreate once the derived constructor has built the form; the
    // application's CreateForm and the first Show call it.
    void AfterConstruction();

    void Show();
    void Hide() { SetVisible(false); }
    // Shows the form modally, running messages until ModalResult is set,
    // and returns it. Raises EInvalidOperation for a form already shown.
    virtual int ShowModal();
    // Asks OnCloseQuery, then OnClose, and hides, frees or minimises the form
    // as the action says; closing the main form ends the application. An
    // exception from a handler abandons the close.
    void Close();
    bool CloseQuery();
    // Frees the form once the messages in hand are handled, so it may be
    // called from the form's own event handlers.
    void Release();

    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    TFormState FormState() const { return formState_; }
    bool Active() const { return active_; }
    TWinControl* ActiveControl() const { return activeControl_; }
    // Raises EInvalidOperation for a control that cannot take the focus.
    void SetActiveControl(TWinControl* control);
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool preview) { keyPreview_ = preview; }
    TIcon* Icon() const { return icon_.get(); }
    int PixelsPerInch() const { return 96; }

    // Focus bookkeeping of the form's controls.
    bool SetFocusedControl(TWinControl* control);
    void FocusControl(TWinControl* control);
    void DefocusControl(TWinControl* control, bool removing);
    TWinControl* FocusedControl() const { return focusedControl_; }

    // The shortcut of a key message: OnShortCut, then the form's menu.
    virtual bool IsShortCut(TMessage& message);

    void SetVisible(bool visible) override;
    bool Showing() override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TShortCutEvent OnShortCut;

    void Notification(TComponent* component, TOperation operation) override;
    void Dispatch(TMessage& message) override;

    // Key events of the form itself, also asked first when KeyPreview is set.
    using TWinControl::DoKeyDown;
    using TWinControl::DoKeyPress;
    using TWinControl::DoKeyUp;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void InitializeWindow() override;
    void Paint() override;
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    virtual void Activate();
    virtual void Deactivate();

    void WMClose(TMessage& m);
    void WMActivate(TMessage& m);
    void WMActivateApp(TMessage& m);
    void WMCommand(TMessage& m);
    void WMInitMenuPopup(TMessage& m);
    void WMMenuSelect(TMessage& m);
    void WMSysCommand(TMessage& m);
    void WMGetMinMaxInfo(TMessage& m);
    void WMSysColorChange(TMessage& m);
    void WMSize(TMessage& m);
    void WMDestroy(TMessage& m);
    void CMShowingChanged(TMessage& m);
    void CMRelease(TMessage& m);
    void CMActivate(TMessage& m);
    void CMDeactivate(TMessage& m);
    void CMDialogKey(TMessage& m);
    void CMTextChanged(TMessage& m);

private:
    void PlaceOnFirstShow();
    void SetActive(bool active);

    TModalResult modalResult_ = mrNone;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TFormStyle formStyle_ = fsNormal;
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    TFormState formState_;
    bool active_ = false;
    bool created_ = false;
    bool placed_ = false;
    bool keyPreview_ = false;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    TMainMenu* menu_ = nullptr;
    std::unique_ptr<TIcon> icon_;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

}  // namespace classlib
