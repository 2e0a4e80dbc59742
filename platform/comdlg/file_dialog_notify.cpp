// Between the open and save dialogs and the caller's hook: the hook is the
// procedure of the child dialog and hears WM_NOTIFY with OFNOTIFYA; it asks
// the dialog (its parent) for paths and changes controls with CDM_*.
#include <cstring>

#include "platform/comdlg/file_dialog.h"

namespace win32::comdlg {

namespace {

constexpr const char* kOfnProp = "comdlg.FileDialogHook";

// The CDM_GET* answer: the size needed, terminator included; the text is
// copied when it fits.
LRESULT CopyOut(const std::string& text, WPARAM size, LPARAM buffer) {
    const std::size_t needed = text.size() + 1;
    char* out = reinterpret_cast<char*>(buffer);
    if (out && size >= needed) std::memcpy(out, text.c_str(), needed);
    return static_cast<LRESULT>(needed);
}

std::string SelectedPath(const FileDialogState& state) {
    if (!state.selection.empty()) return state.selection;
    return state.folder;
}

}  // namespace

LRESULT NotifyHook(FileDialogState& state, UINT code) {
    if (!state.child || !IsWindow(state.child)) return 0;
    OFNOTIFYA note{};
    note.hdr.hwndFrom = state.dialog;
    note.hdr.idFrom = 0;
    note.hdr.code = code;
    note.lpOFN = state.ofn;
    note.pszFile = nullptr;
    return SendMessageA(state.child, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
}

bool HandleCdm(FileDialogState& state, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (msg) {
        case CDM_GETFILEPATH: *result = CopyOut(SelectedPath(state), wParam, lParam); return true;
        case CDM_GETFOLDERPATH: *result = CopyOut(state.folder, wParam, lParam); return true;
        case CDM_GETSPEC: *result = CopyOut(NameField(state), wParam, lParam); return true;
        case CDM_GETFOLDERIDLIST: *result = -1; return true;
        case CDM_SETCONTROLTEXT: {
            HWND control = GetDlgItem(state.dialog, static_cast<int>(wParam));
            *result = control ? SetWindowTextA(control, reinterpret_cast<LPCSTR>(lParam)) : FALSE;
            return true;
        }
        case CDM_HIDECONTROL: {
            HWND control = GetDlgItem(state.dialog, static_cast<int>(wParam));
            if (control) ShowWindow(control, SW_HIDE);
            *result = control != nullptr;
            return true;
        }
        case CDM_SETDEFEXT:
            // Kept as the caller's pointer, as the structure's own field is.
            state.ofn->lpstrDefExt = reinterpret_cast<LPCSTR>(lParam);
            *result = TRUE;
            return true;
        default: return false;
    }
}

INT_PTR CALLBACK ChildDialogProc(HWND child, UINT msg, WPARAM wParam, LPARAM lParam) {
    OPENFILENAMEA* ofn = nullptr;
    if (msg == WM_INITDIALOG) {
        ofn = reinterpret_cast<OPENFILENAMEA*>(lParam);
        SetPropA(child, kOfnProp, ofn);
    } else {
        ofn = static_cast<OPENFILENAMEA*>(GetPropA(child, kOfnProp));
    }
    if (msg == WM_NCDESTROY) RemovePropA(child, kOfnProp);
    if (!ofn || !(ofn->Flags & OFN_ENABLEHOOK) || !ofn->lpfnHook) return msg == WM_INITDIALOG;
    return static_cast<INT_PTR>(ofn->lpfnHook(child, msg, wParam, lParam));
}

}  // namespace win32::comdlg
