#include "classlib/dialog_platform.h"

namespace classlib::dialog_platform {

namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

win32::HWND& ModelessDialog() {
    static win32::HWND dialog = nullptr;
    return dialog;
}

}  // namespace

int MessageBox(win32::HWND owner, const std::string& text, const std::string& caption, win32::UINT flags) {
    if (Handler()) return Handler()(owner, text, caption, flags);
    return win32::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }

void SetDialogHandle(win32::HWND dialog) { ModelessDialog() = dialog; }

win32::HWND DialogHandle() {
    win32::HWND& dialog = ModelessDialog();
    if (dialog && !win32::IsWindow(dialog)) dialog = nullptr;
    return dialog;
}

bool IsDialogMessage(win32::MSG& msg) {
    win32::HWND dialog = DialogHandle();
    return dialog && win32::IsDialogMessageA(dialog, &msg);
}

}  // namespace classlib::dialog_platform
