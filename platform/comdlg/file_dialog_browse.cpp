// Browsing in the open and save dialogs: the types combo box from the
// filter, the folder combo box with the folder's ancestors, the list of
// folders and matching files, and the name field as the list fills it.
#include "platform/comdlg/file_dialog.h"

namespace win32::comdlg {

namespace {

HWND Control(const FileDialogState& state, int id) { return GetDlgItem(state.dialog, id); }

// The folders from the root down to `folder` ("/" first).
std::vector<std::string> Ancestors(const std::string& folder) {
    std::vector<std::string> out;
    std::string f = folder;
    for (;;) {
        out.insert(out.begin(), f);
        if (f == "/" || f.empty()) break;
        f = ParentFolder(f);
    }
    return out;
}

const std::vector<std::string>& AllFiles() {
    static const std::vector<std::string> all{"*.*"};
    return all;
}

}  // namespace

const std::vector<std::string>& CurrentPatterns(const FileDialogState& state) {
    if (!state.typedPatterns.empty()) return state.typedPatterns;
    if (state.filterIndex >= 0 && state.filterIndex < static_cast<int>(state.filters.size()))
        return state.filters[static_cast<std::size_t>(state.filterIndex)].patterns;
    return AllFiles();
}

void FillTypes(FileDialogState& state) {
    HWND types = Control(state, cmb1);
    if (!types) return;
    SendMessageA(types, CB_RESETCONTENT, 0, 0);
    for (const Filter& f : state.filters)
        SendMessageA(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.description.c_str()));
    SendMessageA(types, CB_SETCURSEL, static_cast<WPARAM>(state.filterIndex), 0);
    EnableWindow(types, !state.filters.empty());
}

void FillFolders(FileDialogState& state) {
    HWND folders = Control(state, cmb2);
    if (!folders) return;
    SendMessageA(folders, CB_RESETCONTENT, 0, 0);
    std::vector<std::string> chain = Ancestors(state.folder);
    for (std::size_t i = 0; i < chain.size(); ++i) {
        // The depth is the item's data: each level is drawn indented under its parent.
        std::string shown = i == 0 ? std::string("/") : FileNamePart(chain[i]);
        LRESULT at = SendMessageA(folders, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        if (at >= 0) SendMessageA(folders, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
    }
    SendMessageA(folders, CB_SETCURSEL, chain.size() - 1, 0);
}

void Relist(FileDialogState& state) {
    const bool hidden = (state.ofn->Flags & OFN_FORCESHOWHIDDEN) != 0;
    state.entries = ListFolder(state.folder, CurrentPatterns(state), hidden);
    HWND list = Control(state, lst1);
    if (list) {
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        for (std::size_t i = 0; i < state.entries.size(); ++i) {
            const FolderEntry& e = state.entries[i];
            LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.name.c_str()));
            if (at >= 0) SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
        }
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
    state.selection.clear();
}

void GoToFolder(FileDialogState& state, const std::string& folder, bool notify) {
    state.folder = folder;
    FillFolders(state);
    Relist(state);
    if (notify) NotifyHook(state, CDN_FOLDERCHANGE);
}

const FolderEntry* SelectedEntry(const FileDialogState& state) {
    HWND list = Control(state, lst1);
    if (!list) return nullptr;
    LRESULT at = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (at < 0) return nullptr;
    LRESULT index = SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(at), 0);
    if (index < 0 || index >= static_cast<LRESULT>(state.entries.size())) return nullptr;
    return &state.entries[static_cast<std::size_t>(index)];
}

void OnTypeChosen(FileDialogState& state) {
    LRESULT at = SendMessageA(Control(state, cmb1), CB_GETCURSEL, 0, 0);
    if (at < 0 || at >= static_cast<LRESULT>(state.filters.size()) || at == state.filterIndex) return;
    state.filterIndex = static_cast<int>(at);
    state.typedPatterns.clear();
    state.ofn->nFilterIndex = static_cast<DWORD>(at + 1);
    Relist(state);
    NotifyHook(state, CDN_TYPECHANGE);
}

void OnFolderChosen(FileDialogState& state) {
    LRESULT at = SendMessageA(Control(state, cmb2), CB_GETCURSEL, 0, 0);
    std::vector<std::string> chain = Ancestors(state.folder);
    if (at < 0 || at >= static_cast<LRESULT>(chain.size())) return;
    const std::string& target = chain[static_cast<std::size_t>(at)];
    if (target != state.folder && IsFolder(target)) GoToFolder(state, target);
}

void OnListSelection(FileDialogState& state) {
    const FolderEntry* e = SelectedEntry(state);
    if (!e) return;
    state.selection = JoinPath(state.folder, e->name);
    // A file's name goes into the name field; a folder leaves it alone.
    if (!e->isFolder) SetNameField(state, e->name);
    NotifyHook(state, CDN_SELCHANGE);
}

void OnListDoubleClick(FileDialogState& state) {
    const FolderEntry* e = SelectedEntry(state);
    if (!e) return;
    if (e->isFolder) {
        GoToFolder(state, JoinPath(state.folder, e->name));
        return;
    }
    SetNameField(state, e->name);
    OnAccept(state);
}

void OnNameEdited(FileDialogState& state) {
    if (state.settingName) return;
    std::string typed = NameField(state);
    state.selection = typed.empty() || IsPattern(typed) ? std::string() : ResolveTyped(state.folder, typed);
}

void SetNameField(FileDialogState& state, const std::string& text) {
    state.settingName = true;
    SetDlgItemTextA(state.dialog, edt1, text.c_str());
    state.settingName = false;
}

std::string NameField(const FileDialogState& state) {
    HWND edit = Control(state, edt1);
    if (!edit) return {};
    int n = GetWindowTextLengthA(edit);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    int got = GetWindowTextA(edit, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    std::size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

}  // namespace win32::comdlg
