// A hidden window that hands its messages to a function: for non-visual
// components that need timers or posted messages.
#pragma once

#include <functional>

#include "classlib/object.h"
#include "platform/windows.h"

namespace classlib {

class TUtilityWindow {
public:
    using Handler = std::function<void(TMessage&)>;
    explicit TUtilityWindow(Handler handler) : handler_(std::move(handler)) {}
    ~TUtilityWindow();
    TUtilityWindow(const TUtilityWindow&) = delete;
    TUtilityWindow& operator=(const TUtilityWindow&) = delete;

    // Made when first asked.
    win32::HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

private:
    static win32::LRESULT CALLBACK WndProc(win32::HWND hwnd, win32::UINT msg, win32::WPARAM wParam,
                                           win32::LPARAM lParam);
    Handler handler_;
    win32::HWND handle_ = nullptr;
};

}  // namespace classlib
