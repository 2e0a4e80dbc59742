// The common dialog base and the open and save dialogs. The system dialog
// runs with a hook of ours; its messages become the component's DoShow,
// DoSelectionChange, DoFolderChange, DoTypeChange, DoCanClose and DoClose.
#include "classlib/dialogs.h"

#include <cstring>
#include <vector>

#include "classlib/application.h"
#include "classlib/forms.h"
#include "classlib/screen.h"
#include "classlib/wincontrol.h"

namespace classlib {

using namespace win32;

namespace {

constexpr const char* kDialogProp = "classlib.TOpenDialog";

}  // namespace

// ---- TCommonDialog ----------------------------------------------------------------

TCommonDialog::TCommonDialog(TComponent* owner) : TComponent(owner) {}

TCommonDialog::~TCommonDialog() = default;

void TCommonDialog::DoShow() {
    if (OnShow) OnShow(this);
}

void TCommonDialog::DoClose() {
    if (OnClose) OnClose(this);
}

HWND TCommonDialog::OwnerWindow() {
    if (Screen != nullptr && Screen->ActiveForm() != nullptr && Screen->ActiveForm()->HandleAllocated())
        return Screen->ActiveForm()->Handle();
    if (Application != nullptr && Application->MainForm() != nullptr && Application->MainForm()->HandleAllocated())
        return Application->MainForm()->Handle();
    HWND active = GetActiveWindow();
    return active;
}

// ---- TOpenDialog ------------------------------------------------------------------

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner), files_(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

std::string TOpenDialog::FilterToSystem(const std::string& filter) {
    if (filter.empty()) return {};
    std::string out = filter;
    for (char& c : out) {
        if (c == '|') c = '\0';
    }
    out.push_back('\0');
    out.push_back('\0');
    return out;
}

DWORD TOpenDialog::OptionsToFlags(TOpenOptions options) {
    struct Pair {
        TOpenOption option;
        DWORD flag;
    };
    static const Pair pairs[] = {
        {ofReadOnly, OFN_READONLY},
        {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
        {ofHideReadOnly, OFN_HIDEREADONLY},
        {ofNoChangeDir, OFN_NOCHANGEDIR},
        {ofShowHelp, OFN_SHOWHELP},
        {ofNoValidate, OFN_NOVALIDATE},
        {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
        {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
        {ofPathMustExist, OFN_PATHMUSTEXIST},
        {ofFileMustExist, OFN_FILEMUSTEXIST},
        {ofCreatePrompt, OFN_CREATEPROMPT},
        {ofShareAware, OFN_SHAREAWARE},
        {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
        {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
        {ofNoNetworkButton, OFN_NONETWORKBUTTON},
        {ofNoLongNames, OFN_NOLONGNAMES},
        {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
        {ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
        {ofEnableSizing, OFN_ENABLESIZING},
    };
    DWORD flags = 0;
    for (const Pair& p : pairs) {
        if (options.Contains(p.option)) flags |= p.flag;
    }
    if (!options.Contains(ofOldStyleDialog)) flags |= OFN_EXPLORER;
    return flags;
}

bool TOpenDialog::Execute() { return DoExecute(false); }

bool TOpenDialog::DoExecute(bool save) {
    const bool multi = options_.Contains(ofAllowMultiSelect);
    std::vector<char> file(multi ? 0x8000 : MAX_PATH + 1, '\0');
    std::strncpy(file.data(), fileName_.c_str(), file.size() - 1);
    std::string filter = FilterToSystem(filter_);

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = OwnerWindow();
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.data();
    ofn.nFilterIndex = static_cast<DWORD>(filterIndex_ < 0 ? 0 : filterIndex_);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
    ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
    ofn.Flags = OptionsToFlags(options_) | OFN_ENABLEHOOK;
    if (!template_.empty()) {
        ofn.Flags |= OFN_ENABLETEMPLATE;
        ofn.lpTemplateName = template_.c_str();
    }
    ofn.lCustData = reinterpret_cast<LPARAM>(this);
    ofn.lpfnHook = Hook;

    files_->Clear();
    BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    SetHandle(nullptr);
    if (!ok) return false;

    // A multiple choice comes as the folder and the names, each ended by a
    // zero; a single one as the whole path.
    const char* p = file.data();
    std::string first = p;
    p += first.size() + 1;
    if (multi && *p) {
        while (*p) {
            std::string name = p;
            files_->Add(first + "/" + name);
            p += name.size() + 1;
        }
        fileName_ = files_->Get(0);
    } else {
        fileName_ = first;
        files_->Add(fileName_);
    }
    filterIndex_ = static_cast<int>(ofn.nFilterIndex);
    if (ofn.Flags & OFN_READONLY) options_ += ofReadOnly;
    else options_ -= ofReadOnly;
    if (ofn.Flags & OFN_EXTENSIONDIFFERENT) options_ += ofExtensionDifferent;
    else options_ -= ofExtensionDifferent;
    return true;
}

void TOpenDialog::DoSelectionChange() {
    if (OnSelectionChange) OnSelectionChange(this);
}

void TOpenDialog::DoFolderChange() {
    if (OnFolderChange) OnFolderChange(this);
}

void TOpenDialog::DoTypeChange() {
    if (OnTypeChange) OnTypeChange(this);
}

bool TOpenDialog::DoCanClose() {
    bool canClose = true;
    if (OnCanClose) OnCanClose(this, canClose);
    return canClose;
}

UINT_PTR CALLBACK TOpenDialog::Hook(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TOpenDialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        auto* ofn = reinterpret_cast<OPENFILENAMEA*>(lParam);
        self = ofn ? reinterpret_cast<TOpenDialog*>(ofn->lCustData) : nullptr;
        if (self) SetPropA(hwnd, kDialogProp, self);
    } else {
        self = static_cast<TOpenDialog*>(GetPropA(hwnd, kDialogProp));
    }
    if (!self) return 0;
    // An error in an event handler is reported and the dialog goes on.
    try {
        return self->HandleHookMessage(hwnd, msg, wParam, lParam);
    } catch (...) {
        ReportException(self);
        return 0;
    }
}

UINT_PTR TOpenDialog::HandleHookMessage(HWND hwnd, UINT msg, WPARAM, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            SetHandle(hwnd);
            return TRUE;
        case WM_NOTIFY: {
            const auto* note = reinterpret_cast<const OFNOTIFYA*>(lParam);
            if (!note) return 0;
            switch (note->hdr.code) {
                case CDN_INITDONE: DoShow(); return 0;
                case CDN_SELCHANGE: DoSelectionChange(); return 0;
                case CDN_FOLDERCHANGE: DoFolderChange(); return 0;
                case CDN_TYPECHANGE: DoTypeChange(); return 0;
                case CDN_FILEOK:
                    if (DoCanClose()) return 0;
                    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 1);
                    return TRUE;
                default: return 0;
            }
        }
        case WM_DESTROY:
            RemovePropA(hwnd, kDialogProp);
            DoClose();
            SetHandle(nullptr);
            return 0;
        default: return 0;
    }
}

// ---- TSaveDialog ------------------------------------------------------------------

TSaveDialog::TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

bool TSaveDialog::Execute() { return DoExecute(true); }

}  // namespace classlib
