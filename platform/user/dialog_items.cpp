// Convenience calls on a dialog's controls by identifier.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/user/dialog_manager.h"

namespace win32 {

using namespace user;

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND control = GetDlgItem(dialog, id);
    return control ? SendMessageA(control, msg, wParam, lParam) : 0;
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    HWND control = GetDlgItem(dialog, id);
    return control ? SetWindowTextA(control, text ? text : "") : FALSE;
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) {
    if (buffer && size > 0) buffer[0] = '\0';
    HWND control = GetDlgItem(dialog, id);
    if (!control || !buffer || size <= 0) return 0;
    int n = GetWindowTextA(control, buffer, size);
    return n < 0 ? 0 : static_cast<UINT>(n);
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    char text[16];
    if (isSigned) std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    else std::snprintf(text, sizeof text, "%u", value);
    return SetDlgItemTextA(dialog, id, text);
}

// Blanks around the number are allowed; anything else after it, or a
// value out of range, fails with *translated FALSE.
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    if (translated) *translated = FALSE;
    HWND control = GetDlgItem(dialog, id);
    if (!control) return 0;
    int n = GetWindowTextLengthA(control);
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextA(control, text.data(), n + 1))));
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        if (negative && !isSigned) return 0;
        ++i;
    }
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return 0;
    unsigned long long value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
        if (value > 0xFFFFFFFFull) return 0;
        ++i;
    }
    while (i < text.size() && text[i] == ' ') ++i;
    if (i != text.size()) return 0;
    if (isSigned) {
        if (!negative && value > 0x7FFFFFFFull) return 0;
        if (negative && value > 0x80000000ull) return 0;
        if (translated) *translated = TRUE;
        long long v = negative ? -static_cast<long long>(value) : static_cast<long long>(value);
        return static_cast<UINT>(static_cast<int>(v));
    }
    if (translated) *translated = TRUE;
    return static_cast<UINT>(value);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return FALSE;
    SendMessageA(control, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control ? static_cast<UINT>(SendMessageA(control, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
    if (!IsWindow(dialog) || firstId > lastId) return FALSE;
    for (int id = firstId; id <= lastId; ++id) {
        if (HWND control = GetDlgItem(dialog, id))
            SendMessageA(control, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return TRUE;
}

}  // namespace win32
