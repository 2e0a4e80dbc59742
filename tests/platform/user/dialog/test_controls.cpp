#include "tests/platform/user/dialog/test_controls.h"

namespace test {

using namespace win32;

namespace {

DWORD Type(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & BS_TYPEMASK; }

void SetCheck(HWND hwnd, UINT check) { SetWindowLongPtrA(hwnd, GWLP_USERDATA, check); }

void Click(HWND hwnd) {
    DWORD type = Type(hwnd);
    if (type == BS_AUTOCHECKBOX) SetCheck(hwnd, GetWindowLongPtrA(hwnd, GWLP_USERDATA) ? BST_UNCHECKED : BST_CHECKED);
    if (type == BS_AUTORADIOBUTTON) {
        HWND parent = GetParent(hwnd);
        for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (c != hwnd && Type(c) == BS_AUTORADIOBUTTON) SetCheck(c, BST_UNCHECKED);
        }
        SetCheck(hwnd, BST_CHECKED);
    }
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_GETDLGCODE: {
            DWORD type = Type(hwnd);
            if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
            if (type == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
            if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) return DLGC_BUTTON | DLGC_RADIOBUTTON;
            if (type == BS_GROUPBOX) return DLGC_STATIC;
            return DLGC_BUTTON;
        }
        case BM_SETSTYLE: {
            LONG style = GetWindowLongA(hwnd, GWL_STYLE);
            SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>((style & ~BS_TYPEMASK) | (wParam & BS_TYPEMASK)));
            return 0;
        }
        case BM_CLICK: Click(hwnd); return 0;
        case BM_SETCHECK: SetCheck(hwnd, static_cast<UINT>(wParam)); return 0;
        case BM_GETCHECK: return GetWindowLongPtrA(hwnd, GWLP_USERDATA);
        case WM_LBUTTONUP: Click(hwnd); return 0;
        default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        case EM_SETSEL: Controls().selections.emplace_back(hwnd, msg); return 0;
        case WM_CHAR:
            if (wParam < 0x80) Controls().typed += static_cast<char>(wParam);
            return 0;
        default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK LabelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETDLGCODE) return DLGC_STATIC;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void Register(const char* name, WNDPROC proc) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

}  // namespace

ControlLog& Controls() {
    static ControlLog log;
    return log;
}

void RegisterTestControls() {
    Controls() = ControlLog{};
    Register("TestButton", ButtonProc);
    Register("TestEdit", EditProc);
    Register("TestLabel", LabelProc);
}

void EnsureButtonClass() {
    WNDCLASSA existing{};
    if (!GetClassInfoA(nullptr, "BUTTON", &existing)) Register("BUTTON", ButtonProc);
}

}  // namespace test
