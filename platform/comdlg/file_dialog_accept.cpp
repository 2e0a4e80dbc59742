// Choosing in the open and save dialogs: what the name field holds decides
// whether the dialog enters a folder, filters by a wildcard, or checks the
// file (must exist, path must exist, replace it?) and ends with it.
#include "platform/comdlg/file_dialog.h"
#include "platform/kernel/winbase.h"

namespace win32::comdlg {

namespace {

bool Ask(const FileDialogState& state, const std::string& text, const char* caption) {
    return MessageBoxA(state.dialog, text.c_str(), caption, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
}

void Warn(const FileDialogState& state, const std::string& text) {
    std::string caption(256, '\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextA(state.dialog, caption.data(), 256)));
    MessageBoxA(state.dialog, text.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void FocusName(const FileDialogState& state) {
    HWND edit = GetDlgItem(state.dialog, edt1);
    if (!edit) return;
    SendMessageA(state.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
}

// The path with the default extension added where it applies. The open
// dialog keeps a name as typed when only that one exists.
std::string WithDefaultExtension(const FileDialogState& state, const std::string& path) {
    const Filter* filter = state.filterIndex >= 0 && state.filterIndex < static_cast<int>(state.filters.size())
                               ? &state.filters[static_cast<std::size_t>(state.filterIndex)]
                               : nullptr;
    std::string ext = ExtensionToAdd(path, state.ofn->lpstrDefExt, filter);
    if (ext.empty()) return path;
    std::string longer = path + "." + ext;
    if (!state.save && !IsFile(longer) && IsFile(path)) return path;
    return longer;
}

// The checks a person answers; false leaves the dialog up.
bool Checked(const FileDialogState& state, const std::string& path, const std::string& typed) {
    const DWORD flags = state.ofn->Flags;
    if (flags & OFN_NOVALIDATE) return true;
    const bool exists = IsFile(path);
    if (((flags & OFN_PATHMUSTEXIST) || (flags & OFN_FILEMUSTEXIST)) && !IsFolder(ParentFolder(path))) {
        Warn(state, typed + "\nパスが存在しません。\nパスが正しいかどうかを確認してください。");
        return false;
    }
    if ((flags & OFN_FILEMUSTEXIST) && !exists) {
        Warn(state, typed + "\nファイルが見つかりません。\nファイル名を確認して再実行してください。");
        return false;
    }
    if (!state.save && (flags & OFN_CREATEPROMPT) && !exists)
        return Ask(state, FileNamePart(path) + " は存在しません。\nファイルを作成しますか?", "ファイルを開く");
    if (state.save && (flags & OFN_OVERWRITEPROMPT) && exists)
        return Ask(state, FileNamePart(path) + " は既に存在します。\n上書きしますか?", "名前を付けて保存の確認");
    return true;
}

void Finish(FileDialogState& state, const std::string& path) {
    OPENFILENAMEA& ofn = *state.ofn;
    DWORD error = 0;
    if (!WriteResult(ofn, path, &error)) {
        // The desktop ends the dialog and tells the caller how much room the
        // name needs (in the buffer's first bytes).
        state.error = error;
        EndDialog(state.dialog, FALSE);
        return;
    }
    ofn.nFilterIndex = state.filters.empty() ? 0 : static_cast<DWORD>(state.filterIndex + 1);
    if (GetDlgItem(state.dialog, chx1)) {
        if (IsDlgButtonChecked(state.dialog, chx1) == BST_CHECKED) ofn.Flags |= OFN_READONLY;
        else ofn.Flags &= ~OFN_READONLY;
    }
    if (NotifyHook(state, CDN_FILEOK)) return;
    if (!(ofn.Flags & OFN_NOCHANGEDIR)) SetCurrentDirectoryA(ParentFolder(path).c_str());
    EndDialog(state.dialog, TRUE);
}

}  // namespace

void OnAccept(FileDialogState& state) {
    std::string typed = NameField(state);
    // Enter on a folder of the list opens it, whatever the name field holds.
    const FolderEntry* e = SelectedEntry(state);
    const bool inList = GetFocus() == GetDlgItem(state.dialog, lst1);
    if (e && e->isFolder && (inList || typed.empty())) {
        GoToFolder(state, JoinPath(state.folder, e->name));
        return;
    }
    if (typed.empty()) return;
    if (IsPattern(typed)) {
        // "../*.log" goes to the folder and filters there.
        std::string patterns = typed;
        std::size_t slash = typed.find_last_of("/\\");
        if (slash != std::string::npos) {
            std::string folder = ResolveTyped(state.folder, typed.substr(0, slash + 1));
            patterns = typed.substr(slash + 1);
            if (!IsFolder(folder)) {
                Warn(state, typed + "\nパスが存在しません。\nパスが正しいかどうかを確認してください。");
                FocusName(state);
                return;
            }
            state.folder = folder;
            SetNameField(state, patterns);
        }
        state.typedPatterns = ParseFilter((std::string("typed") + '\0' + patterns + '\0').c_str()).front().patterns;
        GoToFolder(state, state.folder, slash != std::string::npos);
        FocusName(state);
        return;
    }
    std::string path = ResolveTyped(state.folder, typed);
    if (IsFolder(path)) {
        GoToFolder(state, path);
        SetNameField(state, "");
        state.selection.clear();
        FocusName(state);
        return;
    }
    path = WithDefaultExtension(state, path);
    if (!Checked(state, path, typed)) {
        FocusName(state);
        return;
    }
    Finish(state, path);
}

}  // namespace win32::comdlg
