// MessageBoxA: a modal dialog with the system icon, the wrapped text and
// the buttons of its type. The icon and the text are shown by a small
// label class of the box's own; the buttons are the standard push buttons.
#include <algorithm>

#include "platform/user/dialog_manager.h"
#include "platform/user/message_box_layout.h"

namespace win32 {
namespace user::message_box {

namespace {

constexpr const char* kLabelClass = "MessageBoxLabel";
constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 20;

struct Request {
    std::string text;
    UINT type = 0;
    HICON icon = nullptr;
    std::vector<Button> buttons;
};

LPCSTR IconName(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONHAND: return IDI_HAND;
        case MB_ICONQUESTION: return IDI_QUESTION;
        case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
        case MB_ICONASTERISK: return IDI_ASTERISK;
        default: return nullptr;
    }
}

void PaintLabel(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HWND parent = GetParent(hwnd);
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    RECT client;
    GetClientRect(hwnd, &client);
    if (brush) FillRect(dc, &client, brush);
    if (HICON icon = reinterpret_cast<HICON>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) {
        DrawIcon(dc, 0, 0, icon);
    } else {
        int n = GetWindowTextLengthA(hwnd);
        std::string text(static_cast<std::size_t>(n) + 1, '\0');
        text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextA(hwnd, text.data(), n + 1))));
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(parent, WM_GETFONT, 0, 0));
        HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client, kTextFormat);
        if (old) SelectObject(dc, old);
    }
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK LabelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_GETDLGCODE: return DLGC_STATIC;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: PaintLabel(hwnd); return 0;
        case WM_NCHITTEST: return HTTRANSPARENT;
        default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

void EnsureLabelClass() {
    WNDCLASSA existing{};
    if (GetClassInfoA(nullptr, kLabelClass, &existing)) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = LabelProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kLabelClass;
    RegisterClassA(&wc);
}

HWND Child(HWND box, const char* cls, const char* text, DWORD style, const RECT& r, int id) {
    HWND h = CreateWindowExA(WS_EX_NOPARENTNOTIFY, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, box,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    if (h) SendMessageA(h, WM_SETFONT, SendMessageA(box, WM_GETFONT, 0, 0), FALSE);
    return h;
}

// Lays the box out now that its font is known, makes its controls and
// gives the default button the focus.
INT_PTR OnInitDialog(HWND box, const Request& request) {
    SetWindowLongPtrA(box, DWLP_USER, reinterpret_cast<LONG_PTR>(&request));
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
    Layout l = Arrange(dc, request.text, request.icon != nullptr, request.buttons, GetSystemMetrics(SM_CXSCREEN));
    SelectObject(dc, old);
    ReleaseDC(box, dc);

    RECT frame{0, 0, l.client.cx, l.client.cy};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(box, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(box, GWL_EXSTYLE)));
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(box, nullptr, work.left + (work.right - work.left - w) / 2, work.top + (work.bottom - work.top - h) / 2,
                 w, h, SWP_NOZORDER | SWP_NOACTIVATE);

    if (request.icon) {
        HWND icon = Child(box, kLabelClass, "", SS_NOPREFIX, l.icon, kIconId);
        SetWindowLongPtrA(icon, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(request.icon));
    }
    Child(box, kLabelClass, request.text.c_str(), SS_NOPREFIX, l.text, kTextId);

    std::size_t defaultIndex = ((request.type & MB_DEFMASK) >> 8);
    if (defaultIndex >= request.buttons.size()) defaultIndex = 0;
    HWND focus = nullptr;
    for (std::size_t i = 0; i < request.buttons.size(); ++i) {
        DWORD style = WS_TABSTOP | (i == 0 ? WS_GROUP : 0) | (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND b = Child(box, "BUTTON", request.buttons[i].text, style, l.buttons[i], request.buttons[i].id);
        if (!b) {
            EndDialog(box, 0);
            return FALSE;
        }
        if (i == defaultIndex) focus = b;
    }
    SendMessageA(box, DM_SETDEFID, static_cast<WPARAM>(request.buttons[defaultIndex].id), 0);
    if (focus && !(request.type & MB_NOFOCUS)) SendMessageA(box, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
    return FALSE;
}

void OnCommand(HWND box, int id) {
    const Request* request = reinterpret_cast<const Request*>(GetWindowLongPtrA(box, DWLP_USER));
    if (!request) return;
    if (id == IDHELP) {
        HWND owner = GetWindow(box, GW_OWNER);
        if (owner) SendMessageA(owner, WM_HELP, 0, 0);
        return;
    }
    bool isButton = std::any_of(request->buttons.begin(), request->buttons.end(),
                                [id](const Button& b) { return b.id == id; });
    if (!isButton && id == IDCANCEL) id = EscapeAnswer(request->type);
    else if (!isButton) return;
    if (id) EndDialog(box, id);
}

INT_PTR CALLBACK BoxProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: return OnInitDialog(box, *reinterpret_cast<const Request*>(lParam));
        case WM_COMMAND: OnCommand(box, LOWORD(wParam)); return TRUE;
        default: return FALSE;
    }
}

}  // namespace
}  // namespace user::message_box

using namespace user;

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (owner && !IsWindow(owner)) owner = nullptr;
    message_box::EnsureLabelClass();
    message_box::Request request;
    request.text = message_box::NormaliseLineBreaks(text ? text : "");
    request.type = type;
    if (LPCSTR icon = message_box::IconName(type)) request.icon = LoadIconA(nullptr, icon);
    request.buttons = message_box::ButtonsFor(type);

    DLGTEMPLATE t;
    t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_CENTER | DS_3DLOOK;
    // Only a box whose Escape means something has a close box.
    if (message_box::EscapeAnswer(type)) t.style |= WS_SYSMENU;
    if (type & (MB_SYSTEMMODAL | MB_TOPMOST)) t.dwExtendedStyle |= WS_EX_TOPMOST;
    t.title = caption ? caption : "エラー";
    t.pointSize = DIALOG_MESSAGE_FONT;
    t.cx = 100;
    t.cy = 40;
    if (request.icon) MessageBeep(type & MB_ICONMASK);
    INT_PTR result = DialogBoxIndirectParamA(nullptr, &t, owner, message_box::BoxProc,
                                             reinterpret_cast<LPARAM>(&request));
    return result > 0 ? static_cast<int>(result) : 0;
}

}  // namespace win32
