// The library's message boxes and modeless dialogs, in one place: the
// application's error box and the message-box helpers go through here to
// the window system, and the message loop offers keys to the modeless
// dialog that is active (find and replace).
#pragma once

#include <functional>
#include <string>

#include "platform/windows.h"

namespace classlib::dialog_platform {

// MB_ flag values the library itself passes.
inline constexpr win32::UINT kBoxOk = win32::MB_OK;
inline constexpr win32::UINT kBoxIconStop = win32::MB_ICONSTOP;
inline constexpr int kIdOk = win32::IDOK;

// Shows a message box and returns the button chosen (IDOK, IDYES, ...).
int MessageBox(win32::HWND owner, const std::string& text, const std::string& caption, win32::UINT flags);

// Lets a caller take the boxes over (a headless run answering them, a test
// reading them); an empty handler restores the window system's boxes.
using MessageBoxHandler =
    std::function<int(win32::HWND owner, const std::string& text, const std::string& caption, win32::UINT flags)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

// The modeless dialog that gets the keyboard's dialog keys (Tab, Enter,
// Escape, access keys) through IsDialogMessageA; null for none. A dialog
// sets itself when it is activated and clears itself when it is left.
void SetDialogHandle(win32::HWND dialog);
win32::HWND DialogHandle();
// Offers a message to the modeless dialog; true when the dialog took it.
bool IsDialogMessage(win32::MSG& msg);

}  // namespace classlib::dialog_platform
