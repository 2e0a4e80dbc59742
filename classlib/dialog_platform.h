// The library's message boxes, in one place: the application's error box
// and the message-box helpers go through here to the window system.
#pragma once

#include <functional>
#include <string>

#include "platform/windows.h"

namespace classlib::dialog_platform {

// MB_ flag values the library itself passes.
inline constexpr win32::UINT kBoxOk = 0x00000000;
inline constexpr win32::UINT kBoxIconStop = 0x00000010;
inline constexpr int kIdOk = 1;

// Shows a message box and returns the button chosen (IDOK, IDYES, ...).
int MessageBox(win32::HWND owner, const std::string& text, const std::string& caption, win32::UINT flags);

// Lets a caller take the boxes over (a headless run answering them, a test
// reading them); an empty handler restores the window system's boxes.
using MessageBoxHandler =
    std::function<int(win32::HWND owner, const std::string& text, const std::string& caption, win32::UINT flags)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace classlib::dialog_platform
