// GetOpenFileNameA and GetSaveFileNameA: the check of the structure, the
// modal dialog and its procedure, which hands each message to a named
// handler of the file_dialog*.cpp files.
#include <cstring>

#include "platform/comdlg/file_dialog.h"

namespace win32 {
namespace comdlg {

namespace {

constexpr const char* kStateProp = "comdlg.FileDialog";

FileDialogState* StateOf(HWND dialog) { return static_cast<FileDialogState*>(GetPropA(dialog, kStateProp)); }

// What the caller's file field holds: a path whose folder the dialog opens
// at and whose name fills the name field, or a wildcard that filters.
void TakeInitialFile(FileDialogState& state) {
    const OPENFILENAMEA& ofn = *state.ofn;
    std::string field = ofn.lpstrFile ? std::string(ofn.lpstrFile, strnlen(ofn.lpstrFile, ofn.nMaxFile)) : "";
    state.folder = StartFolder(field, ofn.lpstrInitialDir);
    std::string name = FileNamePart(field);
    if (IsPattern(name)) state.typedPatterns = {name};
    SetNameField(state, name);
    if (!name.empty() && !IsPattern(name)) state.selection = ResolveTyped(state.folder, field);
}

BOOL OnInitDialog(HWND dialog, FileDialogState* state) {
    SetPropA(dialog, kStateProp, state);
    state->dialog = dialog;
    const OPENFILENAMEA& ofn = *state->ofn;
    state->filters = ParseFilter(ofn.lpstrFilter);
    int index = static_cast<int>(ofn.nFilterIndex) - 1;
    if (index < 0 || index >= static_cast<int>(state->filters.size())) index = 0;
    state->filterIndex = state->filters.empty() ? -1 : index;
    if (HWND check = GetDlgItem(dialog, chx1))
        SendMessageA(check, BM_SETCHECK, (ofn.Flags & OFN_READONLY) ? BST_CHECKED : BST_UNCHECKED, 0);
    SendDlgItemMessageA(dialog, edt1, EM_LIMITTEXT, MAX_PATH, 0);
    FillTypes(*state);
    TakeInitialFile(*state);
    GoToFolder(*state, state->folder, false);
    if (!state->selection.empty()) OnNameEdited(*state);
    if (state->explorer && !CreateChildDialog(*state)) {
        state->error = CDERR_DIALOGFAILURE;
        EndDialog(dialog, FALSE);
        return FALSE;
    }
    PlaceDialog(dialog, GetWindow(dialog, GW_OWNER));
    NotifyHook(*state, CDN_INITDONE);
    NotifyHook(*state, CDN_FOLDERCHANGE);
    if (HWND edit = GetDlgItem(dialog, edt1)) {
        SetFocus(edit);
        SendMessageA(edit, EM_SETSEL, 0, -1);
    }
    return FALSE;
}

INT_PTR OnCommand(FileDialogState& state, WORD id, WORD code) {
    switch (id) {
        case IDOK: OnAccept(state); return TRUE;
        case IDCANCEL: EndDialog(state.dialog, FALSE); return TRUE;
        case lst1:
            if (code == LBN_SELCHANGE) OnListSelection(state);
            else if (code == LBN_DBLCLK) OnListDoubleClick(state);
            return TRUE;
        case cmb1:
            if (code == CBN_SELCHANGE) OnTypeChosen(state);
            return TRUE;
        case cmb2:
            if (code == CBN_SELCHANGE) OnFolderChosen(state);
            return TRUE;
        case edt1:
            if (code == EN_CHANGE) OnNameEdited(state);
            return TRUE;
        case pshHelp: {
            static const UINT help = RegisterWindowMessageA(HELPMSGSTRINGA);
            if (state.ofn->hwndOwner) SendMessageA(state.ofn->hwndOwner, help, 0, reinterpret_cast<LPARAM>(state.ofn));
            return TRUE;
        }
        default: return FALSE;
    }
}

INT_PTR CALLBACK FileDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Owner-drawn controls ask their item height while they are being made.
    if (msg == WM_MEASUREITEM && lParam) {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (mi->CtlID == static_cast<UINT>(lst1) || mi->CtlID == static_cast<UINT>(cmb2)) {
            MeasureFileItem(*mi);
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
    }
    FileDialogState* state = msg == WM_INITDIALOG ? reinterpret_cast<FileDialogState*>(lParam) : StateOf(dialog);
    if (!state) return FALSE;
    // An old-style dialog's hook is the dialog's own and sees its messages first.
    const OPENFILENAMEA* ofn = state->ofn;
    const bool ownHook = !state->explorer && (ofn->Flags & OFN_ENABLEHOOK) && ofn->lpfnHook;
    if (ownHook && msg != WM_INITDIALOG && ofn->lpfnHook(dialog, msg, wParam, lParam)) return TRUE;
    switch (msg) {
        case WM_INITDIALOG: {
            BOOL focusDefault = OnInitDialog(dialog, state);
            if (ownHook) return static_cast<INT_PTR>(ofn->lpfnHook(dialog, msg, wParam, reinterpret_cast<LPARAM>(ofn)));
            return focusDefault;
        }
        case WM_COMMAND: return OnCommand(*state, LOWORD(wParam), HIWORD(wParam));
        case WM_DRAWITEM: {
            const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (!di || (di->CtlID != static_cast<UINT>(lst1) && di->CtlID != static_cast<UINT>(cmb2))) return FALSE;
            DrawFileItem(*state, *di);
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        case WM_NCDESTROY: RemovePropA(dialog, kStateProp); return FALSE;
        default: {
            LRESULT result = 0;
            if (!HandleCdm(*state, msg, wParam, lParam, &result)) return FALSE;
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
            return TRUE;
        }
    }
}

BOOL Run(LPOPENFILENAMEA ofn, bool save) {
    SetError(0);
    if (!ofn) {
        SetError(CDERR_INITIALIZATION);
        return FALSE;
    }
    if (ofn->lStructSize != sizeof(OPENFILENAMEA) && ofn->lStructSize != OPENFILENAME_SIZE_VERSION_400A) {
        SetError(CDERR_STRUCTSIZE);
        return FALSE;
    }
    if (!ofn->lpstrFile || ofn->nMaxFile == 0) {
        SetError(FNERR_BUFFERTOOSMALL);
        return FALSE;
    }
    if ((ofn->Flags & OFN_ENABLEHOOK) && !ofn->lpfnHook) {
        SetError(CDERR_NOHOOK);
        return FALSE;
    }
    if (ofn->hwndOwner && !IsWindow(ofn->hwndOwner)) {
        SetError(CDERR_DIALOGFAILURE);
        return FALSE;
    }
    FileDialogState state;
    state.ofn = ofn;
    state.save = save;
    // Explorer style unless a hook or template asks for the old one.
    const bool customizes = (ofn->Flags & (OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE)) != 0;
    state.explorer = (ofn->Flags & OFN_EXPLORER) || !customizes;
    bool failed = false;
    const DLGTEMPLATE* custom = CustomTemplate((ofn->Flags & OFN_ENABLETEMPLATEHANDLE) != 0,
                                               (ofn->Flags & OFN_ENABLETEMPLATE) != 0, ofn->hInstance,
                                               ofn->lpTemplateName, &failed);
    if (failed) return FALSE;
    DLGTEMPLATE standard = StandardTemplate(state);
    const DLGTEMPLATE* shown = &standard;
    // An old-style template replaces the standard one and names the same controls.
    if (state.explorer) state.childTemplate = custom;
    else if (custom) shown = custom;
    INT_PTR result = DialogBoxIndirectParamA(nullptr, shown, ofn->hwndOwner, FileDialogProc,
                                             reinterpret_cast<LPARAM>(&state));
    if (result < 0) {
        SetError(CDERR_DIALOGFAILURE);
        return FALSE;
    }
    SetError(state.error);
    return result == TRUE && state.error == 0;
}

}  // namespace
}  // namespace comdlg

BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn) { return comdlg::Run(ofn, false); }
BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn) { return comdlg::Run(ofn, true); }

}  // namespace win32
