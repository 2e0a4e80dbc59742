// Internals of the dialog manager shared by the dialog*.cpp files: the
// per-dialog state that is not in the window's extra bytes, the walk over
// a dialog's controls, and the focus changes the keyboard makes.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/user/winuser.h"

namespace win32::user::dialog {

struct DialogState {
    HFONT font = nullptr;
    bool ownsFont = false;
    SIZE baseUnits{0, 0};
    HWND savedFocus = nullptr;  // the control that had the focus when the dialog was left
    WORD defaultId = 0;         // DM_SETDEFID; 0 for none
    bool modal = false;
    bool ended = false;
    INT_PTR result = 0;
};

// Every dialog's state, by handle. Entries go at WM_NCDESTROY; entries of
// windows that vanished with a reset of the window system are dropped the
// next time a dialog is made.
class DialogTable {
public:
    DialogState* Find(HWND hwnd);
    DialogState& Attach(HWND hwnd);
    void Detach(HWND hwnd);
    void DropStale();

private:
    std::map<HWND, DialogState> states_;
};

DialogTable& Dialogs();

// Makes a dialog that DialogBoxIndirectParamA runs (marked modal before
// WM_INITDIALOG, so EndDialog there is understood).
HWND CreateDialogForModalLoop(HINSTANCE instance, const DLGTEMPLATE* t, HWND parent, DLGPROC proc, LPARAM initParam);

// Makes sure the system dialog class is registered (the window system's
// class list starts empty after a reset).
void EnsureDialogClass();

// The base units of a font (average width of the alphabet, cell height).
SIZE BaseUnitsOf(HFONT font);

// The dialog's controls in tab order: children in z-order, descending into
// children that are control parents (WS_EX_CONTROLPARENT, as DS_CONTROL
// child dialogs are) instead of listing them.
std::vector<HWND> ControlsInOrder(HWND dialog);
// Visible (up to the dialog, so hidden dialogs can be planned) and enabled.
bool IsUsable(HWND dialog, HWND control);
// The control with identifier `id` anywhere in the dialog's control tree.
HWND FindControl(HWND dialog, int id);

LRESULT DialogCode(HWND control, WPARAM key = 0, const MSG* msg = nullptr);

// Moves the focus to `control` as the keyboard does: an edit control's
// text is selected, and the default push button follows the focus.
void FocusControl(HWND dialog, HWND control);
// The default-button look: on the focused push button, otherwise on the
// dialog's default button.
void UpdateDefaultButton(HWND dialog, HWND focus);

// The access key of a control's text ("&S" gives 'S'), 0 when none.
char32_t AccessKeyOf(const std::string& text);
// Finds and operates the control whose access key is `key`; false when
// no control has it.
bool ActivateAccessKey(HWND dialog, char32_t key);

}  // namespace win32::user::dialog
