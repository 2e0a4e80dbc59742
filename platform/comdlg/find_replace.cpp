// FindTextA and ReplaceTextA: modeless dialogs that tell their owner
// through the registered "commdlg_FindReplace" message each time the user
// asks for the next match, a replacement, or closes the dialog.
#include <algorithm>
#include <cstring>
#include <set>

#include "platform/comdlg/comdlg_internal.h"

namespace win32 {
namespace comdlg {

namespace {

constexpr const char* kStateProp = "comdlg.FindReplace";

struct FindState {
    FINDREPLACEA* fr = nullptr;
    bool replace = false;
};

DLGTEMPLATE FindTemplate(DWORD flags) {
    DLGTEMPLATE t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | WS_VISIBLE;
    t.title = "検索";
    t.typeface = kDialogFace;
    t.pointSize = kDialogPoints;
    t.charset = SHIFTJIS_CHARSET;
    t.cx = 262;
    t.cy = 66;
    t.items = {
        Item("STATIC", "検索する文字列(&N):", stc1, 0, 6, 9, 70, 10),
        Item("EDIT", "", edt1, WS_BORDER | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, 78, 7, 114, 13),
    };
    if (!(flags & FR_HIDEWHOLEWORD))
        t.items.push_back(Item("BUTTON", "単語単位で探す(&W)", chx1,
                               BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP | ((flags & FR_NOWHOLEWORD) ? WS_DISABLED : 0),
                               6, 27, 110, 12));
    if (!(flags & FR_HIDEMATCHCASE))
        t.items.push_back(Item("BUTTON", "大文字と小文字を区別する(&C)", chx2,
                               BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP | ((flags & FR_NOMATCHCASE) ? WS_DISABLED : 0),
                               6, 43, 120, 12));
    if (!(flags & FR_HIDEUPDOWN)) {
        DWORD off = (flags & FR_NOUPDOWN) ? WS_DISABLED : 0;
        t.items.push_back(Item("BUTTON", "方向", grp1, BS_GROUPBOX | WS_GROUP, 128, 24, 64, 32));
        t.items.push_back(Item("BUTTON", "上へ(&U)", rad1, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP | off, 132, 38, 28, 12));
        t.items.push_back(Item("BUTTON", "下へ(&D)", rad2, BS_AUTORADIOBUTTON | off, 162, 38, 28, 12));
    }
    t.items.push_back(Item("BUTTON", "次を検索(&F)", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 198, 6, 58, 15));
    t.items.push_back(Item("BUTTON", "キャンセル", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 198, 24, 58, 15));
    if (flags & FR_SHOWHELP)
        t.items.push_back(Item("BUTTON", "ヘルプ(&H)", pshHelp, BS_PUSHBUTTON | WS_TABSTOP, 198, 42, 58, 15));
    return t;
}

DLGTEMPLATE ReplaceTemplate(DWORD flags) {
    DLGTEMPLATE t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | WS_VISIBLE;
    t.title = "置換";
    t.typeface = kDialogFace;
    t.pointSize = kDialogPoints;
    t.charset = SHIFTJIS_CHARSET;
    t.cx = 266;
    t.cy = 96;
    t.items = {
        Item("STATIC", "検索する文字列(&N):", stc1, 0, 6, 9, 70, 10),
        Item("EDIT", "", edt1, WS_BORDER | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, 78, 7, 114, 13),
        Item("STATIC", "置換後の文字列(&P):", stc2, 0, 6, 27, 70, 10),
        Item("EDIT", "", edt2, WS_BORDER | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, 78, 25, 114, 13),
    };
    if (!(flags & FR_HIDEWHOLEWORD))
        t.items.push_back(Item("BUTTON", "単語単位で探す(&W)", chx1,
                               BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP | ((flags & FR_NOWHOLEWORD) ? WS_DISABLED : 0),
                               6, 48, 110, 12));
    if (!(flags & FR_HIDEMATCHCASE))
        t.items.push_back(Item("BUTTON", "大文字と小文字を区別する(&C)", chx2,
                               BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP | ((flags & FR_NOMATCHCASE) ? WS_DISABLED : 0),
                               6, 64, 120, 12));
    t.items.push_back(Item("BUTTON", "次を検索(&F)", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 198, 6, 62, 15));
    t.items.push_back(Item("BUTTON", "置換して次に(&R)", psh1, BS_PUSHBUTTON | WS_TABSTOP, 198, 24, 62, 15));
    t.items.push_back(Item("BUTTON", "すべて置換(&A)", psh2, BS_PUSHBUTTON | WS_TABSTOP, 198, 42, 62, 15));
    t.items.push_back(Item("BUTTON", "キャンセル", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 198, 60, 62, 15));
    if (flags & FR_SHOWHELP)
        t.items.push_back(Item("BUTTON", "ヘルプ(&H)", pshHelp, BS_PUSHBUTTON | WS_TABSTOP, 198, 78, 62, 15));
    return t;
}

// States not yet freed: a dialog frees its own at WM_NCDESTROY once it
// has taken it; one that failed before that is freed by its maker.
std::set<FindState*>& LiveStates() {
    static std::set<FindState*> live;
    return live;
}

FindState* StateOf(HWND dialog) { return static_cast<FindState*>(GetPropA(dialog, kStateProp)); }

std::string FieldText(HWND dialog, int id) {
    char buffer[1024] = {};
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

void CopyInto(LPSTR buffer, WORD size, const std::string& text) {
    if (!buffer || size == 0) return;
    std::size_t n = std::min<std::size_t>(text.size(), size - 1u);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

void UpdateButtons(HWND dialog) {
    bool any = GetWindowTextLengthA(GetDlgItem(dialog, edt1)) > 0;
    for (int id : {IDOK, psh1, psh2}) {
        if (HWND b = GetDlgItem(dialog, id)) EnableWindow(b, any);
    }
}

// Writes the fields into the caller's structure and tells the owner.
void Notify(HWND dialog, DWORD action) {
    FindState* state = StateOf(dialog);
    if (!state) return;
    FINDREPLACEA& fr = *state->fr;
    CopyInto(fr.lpstrFindWhat, fr.wFindWhatLen, FieldText(dialog, edt1));
    if (state->replace) CopyInto(fr.lpstrReplaceWith, fr.wReplaceWithLen, FieldText(dialog, edt2));
    DWORD flags = fr.Flags & ~(FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM | FR_MATCHCASE | FR_WHOLEWORD);
    if (IsDlgButtonChecked(dialog, chx1) == BST_CHECKED) flags |= FR_WHOLEWORD;
    if (IsDlgButtonChecked(dialog, chx2) == BST_CHECKED) flags |= FR_MATCHCASE;
    if (GetDlgItem(dialog, rad2)) {
        if (IsDlgButtonChecked(dialog, rad2) == BST_CHECKED) flags |= FR_DOWN;
        else flags &= ~FR_DOWN;
    }
    fr.Flags = flags | action;
    static const UINT message = RegisterWindowMessageA(FINDMSGSTRINGA);
    if (fr.hwndOwner && IsWindow(fr.hwndOwner)) SendMessageA(fr.hwndOwner, message, 0, reinterpret_cast<LPARAM>(&fr));
}

void OnInit(HWND dialog, FindState* state) {
    SetPropA(dialog, kStateProp, state);
    const FINDREPLACEA& fr = *state->fr;
    SetDlgItemTextA(dialog, edt1, fr.lpstrFindWhat);
    if (state->replace) SetDlgItemTextA(dialog, edt2, fr.lpstrReplaceWith ? fr.lpstrReplaceWith : "");
    CheckDlgButton(dialog, chx1, (fr.Flags & FR_WHOLEWORD) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, chx2, (fr.Flags & FR_MATCHCASE) ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(dialog, rad1, rad2, (fr.Flags & FR_DOWN) ? rad2 : rad1);
    UpdateButtons(dialog);
}

INT_PTR OnCommand(HWND dialog, WORD id, WORD code) {
    switch (id) {
        case edt1:
            if (code == EN_CHANGE) UpdateButtons(dialog);
            return TRUE;
        case IDOK: Notify(dialog, FR_FINDNEXT); return TRUE;
        case psh1: Notify(dialog, FR_REPLACE); return TRUE;
        case psh2: Notify(dialog, FR_REPLACEALL); return TRUE;
        case pshHelp: {
            FindState* state = StateOf(dialog);
            static const UINT help = RegisterWindowMessageA(HELPMSGSTRINGA);
            if (state && state->fr->hwndOwner)
                SendMessageA(state->fr->hwndOwner, help, 0, reinterpret_cast<LPARAM>(state->fr));
            return TRUE;
        }
        case IDCANCEL:
            Notify(dialog, FR_DIALOGTERM);
            DestroyWindow(dialog);
            return TRUE;
        default: return FALSE;
    }
}

INT_PTR CALLBACK FindProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    FindState* state = msg == WM_INITDIALOG ? reinterpret_cast<FindState*>(lParam) : StateOf(dialog);
    if (!state) return FALSE;
    FINDREPLACEA* fr = state->fr;
    // The caller's hook sees each message first, the structure as the
    // WM_INITDIALOG parameter.
    if ((fr->Flags & FR_ENABLEHOOK) && fr->lpfnHook) {
        if (msg == WM_INITDIALOG) {
            OnInit(dialog, state);
            return static_cast<INT_PTR>(fr->lpfnHook(dialog, msg, wParam, reinterpret_cast<LPARAM>(fr)));
        }
        if (fr->lpfnHook(dialog, msg, wParam, lParam)) return TRUE;
        state = StateOf(dialog);
        if (!state) return FALSE;
    }
    switch (msg) {
        case WM_INITDIALOG: OnInit(dialog, state); return TRUE;
        case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        case WM_NCDESTROY:
            RemovePropA(dialog, kStateProp);
            LiveStates().erase(state);
            delete state;
            return FALSE;
        default: return FALSE;
    }
}

HWND Create(LPFINDREPLACEA fr, bool replace) {
    SetError(0);
    if (!fr) {
        SetError(CDERR_INITIALIZATION);
        return nullptr;
    }
    if (fr->lStructSize != sizeof(FINDREPLACEA)) {
        SetError(CDERR_STRUCTSIZE);
        return nullptr;
    }
    if (!fr->hwndOwner || !IsWindow(fr->hwndOwner)) {
        SetError(CDERR_DIALOGFAILURE);
        return nullptr;
    }
    if (!fr->lpstrFindWhat || fr->wFindWhatLen == 0 || (replace && (!fr->lpstrReplaceWith || fr->wReplaceWithLen == 0))) {
        SetError(FRERR_BUFFERLENGTHZERO);
        return nullptr;
    }
    if ((fr->Flags & FR_ENABLEHOOK) && !fr->lpfnHook) {
        SetError(CDERR_NOHOOK);
        return nullptr;
    }
    bool failed = false;
    const DLGTEMPLATE* custom = CustomTemplate((fr->Flags & FR_ENABLETEMPLATEHANDLE) != 0,
                                               (fr->Flags & FR_ENABLETEMPLATE) != 0, fr->hInstance,
                                               fr->lpTemplateName, &failed);
    if (failed) return nullptr;
    DLGTEMPLATE own = replace ? ReplaceTemplate(fr->Flags) : FindTemplate(fr->Flags);
    auto* state = new FindState{fr, replace};
    LiveStates().insert(state);
    HWND dialog = CreateDialogIndirectParamA(nullptr, custom ? custom : &own, fr->hwndOwner, FindProc,
                                             reinterpret_cast<LPARAM>(state));
    if (!dialog) {
        if (LiveStates().erase(state)) delete state;
        SetError(CDERR_DIALOGFAILURE);
        return nullptr;
    }
    return dialog;
}

}  // namespace
}  // namespace comdlg

HWND FindTextA(LPFINDREPLACEA fr) { return comdlg::Create(fr, false); }
HWND ReplaceTextA(LPFINDREPLACEA fr) { return comdlg::Create(fr, true); }

}  // namespace win32
