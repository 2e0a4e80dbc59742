// The modeless find and replace dialogs. The system dialog tells a hidden
// window of the component through the registered "commdlg_FindReplace"
// message; the dialog itself belongs to the active form, and while it is
// active the application's loop hands it the dialog keys.
#include <algorithm>
#include <cstring>

#include "classlib/application.h"
#include "classlib/dialog_platform.h"
#include "classlib/dialogs.h"
#include "classlib/utility_window.h"
#include "classlib/wincontrol.h"

namespace classlib {

using namespace win32;

namespace {

constexpr const char* kFindProp = "classlib.TFindDialog";

struct OptionFlag {
    TFindOption option;
    DWORD flag;
};

// The options that travel both ways; the others only go in.
constexpr OptionFlag kTwoWay[] = {
    {frDown, FR_DOWN}, {frMatchCase, FR_MATCHCASE}, {frWholeWord, FR_WHOLEWORD},
    {frFindNext, FR_FINDNEXT}, {frReplace, FR_REPLACE}, {frReplaceAll, FR_REPLACEALL},
};
constexpr OptionFlag kInOnly[] = {
    {frHideMatchCase, FR_HIDEMATCHCASE}, {frHideWholeWord, FR_HIDEWHOLEWORD}, {frHideUpDown, FR_HIDEUPDOWN},
    {frDisableMatchCase, FR_NOMATCHCASE}, {frDisableUpDown, FR_NOUPDOWN},     {frDisableWholeWord, FR_NOWHOLEWORD},
    {frShowHelp, FR_SHOWHELP},
};

void CopyText(std::array<char, 256>& buffer, const std::string& text) {
    std::size_t n = std::min(text.size(), buffer.size() - 1);
    std::memcpy(buffer.data(), text.data(), n);
    buffer[n] = '\0';
}

}  // namespace

TFindDialog::TFindDialog(TComponent* owner)
    : TCommonDialog(owner), owner_(std::make_unique<TUtilityWindow>([this](TMessage& m) { OnOwnerMessage(m); })) {}

TFindDialog::~TFindDialog() {
    if (Handle() && IsWindow(Handle())) {
        RemovePropA(Handle(), kFindProp);
        DestroyWindow(Handle());
    }
}

DWORD TFindDialog::OptionsToFlags(TFindOptions options) {
    DWORD flags = 0;
    for (const OptionFlag& p : kTwoWay) {
        if (options.Contains(p.option)) flags |= p.flag;
    }
    for (const OptionFlag& p : kInOnly) {
        if (options.Contains(p.option)) flags |= p.flag;
    }
    return flags;
}

TFindOptions TFindDialog::FlagsToOptions(DWORD flags, TFindOptions keep) {
    TFindOptions options = keep;
    for (const OptionFlag& p : kTwoWay) {
        if (flags & p.flag) options += p.option;
        else options -= p.option;
    }
    return options;
}

void TFindDialog::SetFindText(const std::string& text) {
    findText_ = text;
    if (Handle() && IsWindow(Handle())) SetDlgItemTextA(Handle(), edt1, text.c_str());
}

HWND TFindDialog::CreateSystemDialog(FINDREPLACEA& fr) { return FindTextA(&fr); }

void TFindDialog::TakeTexts(const FINDREPLACEA& fr) {
    if (fr.lpstrFindWhat) findText_ = fr.lpstrFindWhat;
}

bool TFindDialog::Execute() {
    if (Handle() && IsWindow(Handle())) {
        SetActiveWindow(Handle());
        return true;
    }
    CopyText(findBuffer_, findText_);
    fr_ = FINDREPLACEA{};
    fr_.lStructSize = sizeof fr_;
    fr_.hwndOwner = owner_->Handle();
    fr_.Flags = OptionsToFlags(options_) | FR_ENABLEHOOK;
    fr_.lpstrFindWhat = findBuffer_.data();
    fr_.wFindWhatLen = static_cast<WORD>(findBuffer_.size());
    fr_.lCustData = reinterpret_cast<LPARAM>(this);
    fr_.lpfnHook = Hook;
    HWND dialog = CreateSystemDialog(fr_);
    if (!dialog) return false;
    SetHandle(dialog);
    // Owned by the form, so it stays above it; the hidden window only hears.
    if (HWND form = OwnerWindow()) SetWindowLongPtrA(dialog, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(form));
    if (left_ >= 0 || top_ >= 0) {
        RECT r;
        GetWindowRect(dialog, &r);
        SetWindowPos(dialog, nullptr, left_ >= 0 ? left_ : r.left, top_ >= 0 ? top_ : r.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
    }
    DoShow();
    return true;
}

void TFindDialog::CloseDialog() {
    if (Handle() && IsWindow(Handle())) PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TFindDialog::DoFind() {
    if (OnFind) OnFind(this);
}

void TFindDialog::DoReplace() {
    if (OnReplace) OnReplace(this);
}

void TFindDialog::OnOwnerMessage(TMessage& m) {
    static const UINT findMessage = RegisterWindowMessageA(FINDMSGSTRINGA);
    if (m.Msg != findMessage || reinterpret_cast<const FINDREPLACEA*>(m.LParam) != &fr_) {
        m.Result = DefWindowProcA(owner_->Handle(), m.Msg, m.WParam, m.LParam);
        return;
    }
    TakeTexts(fr_);
    options_ = FlagsToOptions(fr_.Flags, options_);
    if (fr_.Flags & FR_DIALOGTERM) {
        if (Handle()) {
            RECT r;
            if (GetWindowRect(Handle(), &r)) {
                left_ = r.left;
                top_ = r.top;
            }
        }
        if (dialog_platform::DialogHandle() == Handle()) dialog_platform::SetDialogHandle(nullptr);
        SetHandle(nullptr);
        DoClose();
    } else if (fr_.Flags & FR_FINDNEXT) {
        DoFind();
    } else if (fr_.Flags & (FR_REPLACE | FR_REPLACEALL)) {
        DoReplace();
    }
    m.Result = 0;
}

UINT_PTR CALLBACK TFindDialog::Hook(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: {
            auto* fr = reinterpret_cast<FINDREPLACEA*>(lParam);
            if (fr && fr->lCustData) SetPropA(hwnd, kFindProp, reinterpret_cast<HANDLE>(fr->lCustData));
            return TRUE;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) dialog_platform::SetDialogHandle(hwnd);
            else if (dialog_platform::DialogHandle() == hwnd) dialog_platform::SetDialogHandle(nullptr);
            return 0;
        case WM_DESTROY:
            RemovePropA(hwnd, kFindProp);
            if (dialog_platform::DialogHandle() == hwnd) dialog_platform::SetDialogHandle(nullptr);
            return 0;
        default: return 0;
    }
}

// ---- TReplaceDialog ---------------------------------------------------------------

TReplaceDialog::TReplaceDialog(TComponent* owner) : TFindDialog(owner) {}

std::string TReplaceDialog::ReplaceText() const {
    if (Handle() && IsWindow(Handle())) {
        char buffer[256] = {};
        GetDlgItemTextA(Handle(), edt2, buffer, sizeof buffer);
        return buffer;
    }
    return replaceText_;
}

void TReplaceDialog::SetReplaceText(const std::string& text) {
    replaceText_ = text;
    if (Handle() && IsWindow(Handle())) SetDlgItemTextA(Handle(), edt2, text.c_str());
}

HWND TReplaceDialog::CreateSystemDialog(FINDREPLACEA& fr) {
    CopyText(replaceBuffer_, replaceText_);
    fr.lpstrReplaceWith = replaceBuffer_.data();
    fr.wReplaceWithLen = static_cast<WORD>(replaceBuffer_.size());
    return ReplaceTextA(&fr);
}

void TReplaceDialog::TakeTexts(const FINDREPLACEA& fr) {
    TFindDialog::TakeTexts(fr);
    if (fr.lpstrReplaceWith) replaceText_ = fr.lpstrReplaceWith;
}

}  // namespace classlib
