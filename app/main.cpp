// Program entry of the memo pad. Until the memo pad's own main window
// exists, the program shows a plain overlapped window with the title the
// memo pad starts with, centred like it.
#include <cstdio>
#include <string>

#include "platform/backend/select.h"
#include "platform/user/window_system.h"
#include "platform/windows.h"

using namespace win32;

namespace {

constexpr int kWidth = 563;
constexpr int kHeight = 441;
constexpr const char* kClassName = "TMainForm";
constexpr const char* kCaption = "ぽらりMEMO・・・無題";

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

HWND CreateMainWindow() {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = MainWindowProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc)) return nullptr;
    int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    return CreateWindowExA(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW, x < 0 ? 0 : x, y < 0 ? 0 : y, kWidth,
                           kHeight, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace

int main() {
    std::string error;
    if (!backend::SelectBackend(error)) {
        std::fprintf(stderr, "PMemo: %s\n", error.c_str());
        return 1;
    }
    user::ResetWindowSystem();  // the desktop takes the display's size
    HWND main = CreateMainWindow();
    if (!main) {
        std::fprintf(stderr, "PMemo: the main window could not be created\n");
        return 1;
    }
    ShowWindow(main, SW_SHOWNORMAL);
    UpdateWindow(main);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
