// DefDlgProcA: the window procedure of dialogs. The dialog procedure sees
// each message first; what it leaves (returns FALSE for) gets the dialog
// behaviour below, and everything else the ordinary default handling.
#include <algorithm>

#include "platform/user/dialog_manager.h"
#include "platform/user/window_manager.h"

namespace win32 {
namespace user::dialog {

namespace {

// Messages whose answer is the dialog procedure's return value itself
// rather than DWLP_MSGRESULT.
bool AnswersDirectly(UINT msg) {
    switch (msg) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_INITDIALOG: return true;
        default: return false;
    }
}

LRESULT OnEraseBackground(HWND dialog, HDC dc) {
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        SendMessageA(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dialog)));
    if (!brush) brush = GetSysColorBrush(COLOR_3DFACE);
    RECT client;
    GetClientRect(dialog, &client);
    FillRect(dc, &client, brush);
    return 1;
}

// Back into the dialog: the control that had the focus, else the first
// tab stop.
void RestoreFocus(HWND dialog) {
    DialogState* state = Dialogs().Find(dialog);
    HWND target = state ? state->savedFocus : nullptr;
    if (!target || !IsWindow(target) || !IsChild(dialog, target) || !IsUsable(dialog, target))
        target = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (target) FocusControl(dialog, target);
}

void SaveFocus(HWND dialog) {
    DialogState* state = Dialogs().Find(dialog);
    HWND focus = GetFocus();
    if (state && focus && IsChild(dialog, focus)) state->savedFocus = focus;
}

LRESULT OnActivate(HWND dialog, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) SaveFocus(dialog);
    else if (!(GetWindowLongA(dialog, GWL_STYLE) & WS_MINIMIZE)) RestoreFocus(dialog);
    return 0;
}

LRESULT OnClose(HWND dialog) {
    HWND cancel = FindControl(dialog, IDCANCEL);
    if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return 0;
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
    return 0;
}

LRESULT OnNextDlgCtl(HWND dialog, WPARAM wParam, LPARAM lParam) {
    HWND target;
    if (LOWORD(lParam)) target = reinterpret_cast<HWND>(wParam);
    else target = GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
    if (target && IsWindow(target) && (target == dialog || IsChild(dialog, target))) FocusControl(dialog, target);
    return 0;
}

LRESULT OnGetDefId(HWND dialog) {
    DialogState* state = Dialogs().Find(dialog);
    if (!state || !state->defaultId) return 0;
    return MAKELRESULT(state->defaultId, DC_HASDEFID);
}

LRESULT OnSetDefId(HWND dialog, WPARAM wParam) {
    DialogState* state = Dialogs().Find(dialog);
    if (!state) return FALSE;
    state->defaultId = static_cast<WORD>(wParam);
    UpdateDefaultButton(dialog, GetFocus());
    return TRUE;
}

LRESULT OnGetFont(HWND dialog) {
    DialogState* state = Dialogs().Find(dialog);
    return state ? reinterpret_cast<LRESULT>(state->font) : 0;
}

// A dialog moved partly off the screen comes back onto it.
LRESULT OnReposition(HWND dialog) {
    if (GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD) return 0;
    RECT r;
    GetWindowRect(dialog, &r);
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int x = std::max<LONG>(work.left, std::min<LONG>(r.left, work.right - (r.right - r.left)));
    int y = std::max<LONG>(work.top, std::min<LONG>(r.top, work.bottom - (r.bottom - r.top)));
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT DefaultHandling(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND: return OnEraseBackground(dialog, reinterpret_cast<HDC>(wParam));
        case WM_ACTIVATE: return OnActivate(dialog, wParam);
        case WM_SETFOCUS: RestoreFocus(dialog); return 0;
        case WM_SHOWWINDOW:
            if (!wParam) SaveFocus(dialog);
            return DefWindowProcA(dialog, msg, wParam, lParam);
        case WM_CLOSE: return OnClose(dialog);
        case WM_NEXTDLGCTL: return OnNextDlgCtl(dialog, wParam, lParam);
        case DM_GETDEFID: return OnGetDefId(dialog);
        case DM_SETDEFID: return OnSetDefId(dialog, wParam);
        case DM_REPOSITION: return OnReposition(dialog);
        case WM_GETFONT: return OnGetFont(dialog);
        case WM_NCDESTROY:
            Dialogs().Detach(dialog);
            return DefWindowProcA(dialog, msg, wParam, lParam);
        default: return DefWindowProcA(dialog, msg, wParam, lParam);
    }
}

}  // namespace
}  // namespace user::dialog

using namespace user;

LRESULT DefDlgProcA(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(dialog)) return 0;
    DLGPROC proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(dialog, DWLP_DLGPROC));
    if (proc) {
        LONG_PTR saved = GetWindowLongPtrA(dialog, DWLP_MSGRESULT);
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
        INT_PTR handled = proc(dialog, msg, wParam, lParam);
        if (!IsWindow(dialog)) return dialog::AnswersDirectly(msg) ? handled : 0;
        if (handled && msg != WM_NCDESTROY) {
            if (dialog::AnswersDirectly(msg)) return handled;
            return GetWindowLongPtrA(dialog, DWLP_MSGRESULT);
        }
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, saved);
    }
    return dialog::DefaultHandling(dialog, msg, wParam, lParam);
}

}  // namespace win32
