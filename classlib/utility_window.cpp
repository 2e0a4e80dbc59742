#include "classlib/utility_window.h"

#include "classlib/wincontrol.h"

namespace classlib {

using namespace win32;

namespace {
constexpr const char* kClass = "TPUtilWindow";
constexpr const char* kProp = "classlib.TUtilityWindow";
}  // namespace

TUtilityWindow::~TUtilityWindow() {
    if (handle_ != nullptr) {
        RemovePropA(handle_, kProp);
        DestroyWindow(handle_);
    }
}

HWND TUtilityWindow::Handle() {
    if (handle_ == nullptr) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA wc{};
        if (!GetClassInfoA(instance, kClass, &wc)) {
            wc = WNDCLASSA{};
            wc.lpfnWndProc = &TUtilityWindow::WndProc;
            wc.hInstance = instance;
            wc.lpszClassName = kClass;
            RegisterClassA(&wc);
        }
        handle_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                                  nullptr);
        if (handle_ != nullptr) SetPropA(handle_, kProp, this);
    }
    return handle_;
}

LRESULT CALLBACK TUtilityWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TUtilityWindow*>(GetPropA(hwnd, kProp));
    if (self == nullptr || !self->handler_) return DefWindowProcA(hwnd, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    try {
        self->handler_(m);
    } catch (...) {
        ReportException(nullptr);
    }
    return m.Result;
}

}  // namespace classlib
