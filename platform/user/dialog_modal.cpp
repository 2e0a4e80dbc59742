// Modal dialogs: the owner is disabled, a message loop of the dialog's own
// runs until EndDialog, then the owner is enabled and activated again
// before the dialog goes, so the activation returns where it came from.
#include "platform/user/dialog_manager.h"

namespace win32 {

using namespace user;

INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent, DLGPROC proc,
                                LPARAM initParam) {
    if (!dialogTemplate) return -1;
    HWND owner = parent && IsWindow(parent) ? GetAncestor(parent, GA_ROOT) : nullptr;
    if (parent && !owner) return -1;
    // The template's own visibility is the modal loop's business.
    DLGTEMPLATE hidden = *dialogTemplate;
    hidden.style &= ~WS_VISIBLE;
    hidden.style &= ~WS_CHILD;
    bool ownerDisabled = false;
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        ownerDisabled = true;
    }
    HWND dialog = dialog::CreateDialogForModalLoop(instance, &hidden, owner, proc, initParam);
    if (!dialog) {
        if (ownerDisabled) EnableWindow(owner, TRUE);
        return -1;
    }
    dialog::DialogState* state = dialog::Dialogs().Find(dialog);
    if (state && !state->ended) ShowWindow(dialog, SW_SHOWNORMAL);

    bool quit = false;
    int quitCode = 0;
    bool idleTold = false;
    for (;;) {
        state = dialog::Dialogs().Find(dialog);
        if (!state || state->ended) break;
        MSG msg;
        // The owner hears once each time the queue runs dry.
        if (!idleTold && owner && !(dialogTemplate->style & DS_NOIDLEMSG) &&
            !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            idleTold = true;
            SendMessageA(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dialog));
            continue;  // the owner may have ended the dialog
        }
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        idleTold = false;
        if (got <= 0) {
            // WM_QUIT ends the dialog and is handed on to the loop outside.
            quit = got == 0;
            quitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    INT_PTR result = 0;
    state = dialog::Dialogs().Find(dialog);
    if (state) result = state->result;
    if (ownerDisabled && IsWindow(owner)) EnableWindow(owner, TRUE);
    if (IsWindow(dialog)) {
        if (owner && IsWindow(owner) && GetActiveWindow() == dialog) SetActiveWindow(owner);
        DestroyWindow(dialog);
    }
    if (quit) PostQuitMessage(quitCode);
    return result;
}

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM initParam) {
    return DialogBoxIndirectParamA(instance, FindDialogTemplate(instance, templateName), parent, proc, initParam);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    dialog::DialogState* state = dialog::Dialogs().Find(dialog);
    if (!state) return FALSE;
    state->ended = true;
    state->result = result;
    if (state->modal) {
        // The owner comes back before the dialog hides, so the activation
        // goes to it and not to some other window.
        HWND owner = GetWindow(dialog, GW_OWNER);
        if (owner && !IsWindowEnabled(owner)) EnableWindow(owner, TRUE);
        if (owner && GetActiveWindow() == dialog) SetActiveWindow(owner);
        ShowWindow(dialog, SW_HIDE);
        PostMessageA(nullptr, WM_NULL, 0, 0);  // wakes the loop
    }
    return TRUE;
}

}  // namespace win32
