// Moving between a dialog's controls: the tab and group order, the focus
// and default-button rules, access keys, and IsDialogMessageA, which turns
// the keyboard's Tab, arrows, Enter, Escape and access keys into them.
#include <cctype>

#include "platform/user/dialog_manager.h"
#include "platform/user/window_manager.h"

namespace win32 {
namespace user::dialog {

namespace {

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }
DWORD ExStyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)); }

void Collect(HWND parent, std::vector<HWND>& out) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if ((ExStyleOf(c) & WS_EX_CONTROLPARENT) && (StyleOf(c) & WS_CHILD)) Collect(c, out);
        else out.push_back(c);
    }
}

// Where `hwnd` stands in the dialog's controls: its own place, or that of
// the control it is part of (a combo box's edit); -1 when neither.
int IndexOf(const std::vector<HWND>& all, HWND hwnd) {
    for (HWND h = hwnd; h; h = GetParent(h)) {
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (all[i] == h) return static_cast<int>(i);
        }
        if (!(StyleOf(h) & WS_CHILD)) break;
    }
    return -1;
}

bool IsPushButtonCode(LRESULT code) { return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0; }

// Decodes one UTF-8 character at `i`, moving past it.
char32_t NextChar(const std::string& s, std::size_t& i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    if (i + len > s.size()) len = 1;
    char32_t ch = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k < len; ++k) ch = (ch << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += len;
    return ch;
}

char32_t Fold(char32_t ch) {
    if (ch < 0x80) return static_cast<char32_t>(std::toupper(static_cast<int>(ch)));
    if (ch >= 0xFF41 && ch <= 0xFF5A) return ch - 0xFF41 + 'A';  // full-width letters
    if (ch >= 0xFF21 && ch <= 0xFF3A) return ch - 0xFF21 + 'A';
    return ch;
}

std::string TextOf(HWND hwnd) {
    int n = GetWindowTextLengthA(hwnd);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    int got = GetWindowTextA(hwnd, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
    return s;
}

// The control a label leads to: the next one in order that is not a
// label itself and can take the focus.
HWND ControlAfterLabel(HWND dialog, HWND label) {
    std::vector<HWND> all = ControlsInOrder(dialog);
    bool seen = false;
    for (HWND c : all) {
        if (c == label) {
            seen = true;
            continue;
        }
        if (!seen) continue;
        if (DialogCode(c) & DLGC_STATIC) continue;
        if (IsUsable(dialog, c)) return c;
    }
    return nullptr;
}

void Operate(HWND dialog, HWND control) {
    LRESULT code = DialogCode(control);
    if (code & DLGC_STATIC) {
        if (HWND next = ControlAfterLabel(dialog, control)) Operate(dialog, next);
        return;
    }
    if (IsPushButtonCode(code)) {
        SendMessageA(control, BM_CLICK, 0, 0);
        return;
    }
    FocusControl(dialog, control);
    if (code & DLGC_BUTTON) {
        DWORD type = StyleOf(control) & BS_TYPEMASK;
        // A plain radio button or check box is only focused: its owner
        // decides what the click means; automatic ones toggle themselves.
        if (type != BS_GROUPBOX && IsWindow(control)) SendMessageA(control, BM_CLICK, 0, 0);
    }
}

// Enter: the focused push button, else the default button, else IDOK.
void PressDefault(HWND dialog) {
    HWND focus = GetFocus();
    int id = 0;
    HWND button = nullptr;
    if (focus && IsChild(dialog, focus) && IsPushButtonCode(DialogCode(focus))) {
        button = focus;
        id = GetDlgCtrlID(focus);
    } else {
        LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
        id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
        button = FindControl(dialog, id);
    }
    if (button && !IsWindowEnabled(button)) {
        MessageBeep(0);
        return;
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void PressCancel(HWND dialog) {
    HWND button = FindControl(dialog, IDCANCEL);
    if (button && !IsWindowEnabled(button)) {
        MessageBeep(0);
        return;
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void MoveInGroup(HWND dialog, HWND focus, bool previous) {
    HWND next = GetNextDlgGroupItem(dialog, focus, previous);
    if (!next || next == focus) return;
    LRESULT code = DialogCode(next);
    FocusControl(dialog, next);
    if ((code & DLGC_RADIOBUTTON) && IsWindow(next) && (StyleOf(next) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
        SendMessageA(next, BM_CLICK, 0, 0);
}

// Handles a key press; true when the dialog used it.
bool OnKeyDown(HWND dialog, const MSG& msg) {
    LRESULT code = DialogCode(msg.hwnd, msg.wParam, &msg);
    if (code & DLGC_WANTMESSAGE) return false;
    HWND focus = GetFocus();
    switch (msg.wParam) {
        case VK_TAB:
            if (code & DLGC_WANTTAB) return false;
            if (HWND next = GetNextDlgTabItem(dialog, focus, GetKeyState(VK_SHIFT) < 0)) FocusControl(dialog, next);
            return true;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (code & DLGC_WANTARROWS) return false;
            MoveInGroup(dialog, focus, msg.wParam == VK_LEFT || msg.wParam == VK_UP);
            return true;
        case VK_RETURN:
            PressDefault(dialog);
            return true;
        case VK_ESCAPE:
            PressCancel(dialog);
            return true;
        default: return false;
    }
}

bool OnChar(HWND dialog, const MSG& msg) {
    LRESULT code = DialogCode(msg.hwnd, msg.wParam, &msg);
    if (code & DLGC_WANTMESSAGE) return false;
    char32_t ch = static_cast<char32_t>(msg.wParam);
    if (ch == U'\t') return !(code & DLGC_WANTTAB);
    if (ch == U'\r' || ch == U'\n' || ch == 0x1B) return true;  // used as Enter and Escape already
    if (code & DLGC_WANTCHARS) return false;
    return ActivateAccessKey(dialog, ch);
}

}  // namespace

std::vector<HWND> ControlsInOrder(HWND dialog) {
    std::vector<HWND> out;
    if (IsWindow(dialog)) Collect(dialog, out);
    return out;
}

bool IsUsable(HWND dialog, HWND control) {
    for (HWND h = control; h && h != dialog; h = GetParent(h)) {
        DWORD style = StyleOf(h);
        if (!(style & WS_VISIBLE) || (style & WS_DISABLED)) return false;
        if (!(style & WS_CHILD)) break;
    }
    return true;
}

HWND FindControl(HWND dialog, int id) {
    if (HWND direct = GetDlgItem(dialog, id)) return direct;
    for (HWND c : ControlsInOrder(dialog)) {
        if (GetDlgCtrlID(c) == id) return c;
    }
    return nullptr;
}

LRESULT DialogCode(HWND control, WPARAM key, const MSG* msg) {
    if (!control || !IsWindow(control)) return 0;
    return SendMessageA(control, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(msg));
}

void UpdateDefaultButton(HWND dialog, HWND focus) {
    DialogState* state = Dialogs().Find(dialog);
    if (!state) return;
    HWND wanted = nullptr;
    if (focus && IsChild(dialog, focus) && IsPushButtonCode(DialogCode(focus))) wanted = focus;
    else if (state->defaultId) wanted = FindControl(dialog, state->defaultId);
    if (wanted && !IsPushButtonCode(DialogCode(wanted))) wanted = nullptr;
    for (HWND c : ControlsInOrder(dialog)) {
        LRESULT code = DialogCode(c);
        if (c != wanted && (code & DLGC_DEFPUSHBUTTON)) SendMessageA(c, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        else if (c == wanted && (code & DLGC_UNDEFPUSHBUTTON)) SendMessageA(c, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
}

void FocusControl(HWND dialog, HWND control) {
    if (!control || !IsWindow(control)) return;
    LRESULT code = DialogCode(control);
    if (code & DLGC_HASSETSEL) SendMessageA(control, EM_SETSEL, 0, -1);
    UpdateDefaultButton(dialog, control);
    if (DialogState* state = Dialogs().Find(dialog)) state->savedFocus = control;
    if (IsWindowVisible(dialog)) SetFocus(control);
}

char32_t AccessKeyOf(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            NextChar(text, i);
            continue;
        }
        ++i;
        if (i >= text.size()) return 0;
        if (text[i] == '&') {
            ++i;
            continue;
        }
        return Fold(NextChar(text, i));
    }
    return 0;
}

bool ActivateAccessKey(HWND dialog, char32_t key) {
    char32_t wanted = Fold(key);
    if (!wanted || wanted == U' ') return false;
    std::vector<HWND> all = ControlsInOrder(dialog);
    if (all.empty()) return false;
    // The search starts after the focused control, so a key shared by
    // several controls moves through them in turn.
    std::size_t start = static_cast<std::size_t>(IndexOf(all, GetFocus()) + 1);
    for (std::size_t n = 0; n < all.size(); ++n) {
        HWND c = all[(start + n) % all.size()];
        LRESULT code = DialogCode(c);
        if (code & (DLGC_HASSETSEL | DLGC_WANTCHARS)) continue;  // an edit's text is content
        if ((code & DLGC_STATIC) && (StyleOf(c) & SS_NOPREFIX)) continue;
        if (!IsUsable(dialog, c) && !(code & DLGC_STATIC)) continue;
        if (AccessKeyOf(TextOf(c)) != wanted) continue;
        Operate(dialog, c);
        return true;
    }
    return false;
}

}  // namespace user::dialog

using namespace user;

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    if (!IsWindow(dialog)) return nullptr;
    if (control && control != dialog && !IsChild(dialog, control)) return nullptr;
    std::vector<HWND> all = dialog::ControlsInOrder(dialog);
    if (all.empty()) return nullptr;
    const int n = static_cast<int>(all.size());
    int at = dialog::IndexOf(all, control);
    if (at < 0) at = previous ? 0 : n - 1;  // the first (last) stop counts from the other end
    for (int step = 1; step <= n; ++step) {
        int i = ((previous ? at - step : at + step) % n + n) % n;
        HWND c = all[i];
        if ((GetWindowLongA(c, GWL_STYLE) & WS_TABSTOP) && dialog::IsUsable(dialog, c)) return c;
    }
    return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
    if (!IsWindow(dialog)) return nullptr;
    std::vector<HWND> all = dialog::ControlsInOrder(dialog);
    const int n = static_cast<int>(all.size());
    int at = dialog::IndexOf(all, control);
    if (at < 0) return GetNextDlgTabItem(dialog, nullptr, previous);
    auto startsGroup = [&](int i) { return (GetWindowLongA(all[i], GWL_STYLE) & WS_GROUP) != 0; };
    int first = at;
    while (first > 0 && !startsGroup(first)) --first;
    int end = at + 1;
    while (end < n && !startsGroup(end)) ++end;
    const int size = end - first;
    for (int step = 1; step < size; ++step) {
        int offset = ((at - first + (previous ? -step : step)) % size + size) % size;
        HWND c = all[first + offset];
        if (dialog::IsUsable(dialog, c)) return c;
    }
    return control;
}

BOOL IsDialogMessageA(HWND dialog, LPMSG msg) {
    if (!msg || !IsWindow(dialog)) return FALSE;
    if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
    switch (msg->message) {
        case WM_KEYDOWN:
            if (dialog::OnKeyDown(dialog, *msg)) return TRUE;
            break;
        case WM_CHAR:
            if (dialog::OnChar(dialog, *msg)) return TRUE;
            break;
        case WM_SYSCHAR:
            if (dialog::ActivateAccessKey(dialog, static_cast<char32_t>(msg->wParam))) return TRUE;
            break;
        default: break;
    }
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return TRUE;
}

}  // namespace win32
