#include "classlib/dialog_platform.h"

#include <cstdio>

namespace classlib::dialog_platform {

namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

}  // namespace

int MessageBox(win32::HWND owner, const std::string& text, const std::string& caption, win32::UINT flags) {
    if (Handler()) return Handler()(owner, text, caption, flags);
    // The window system has no message boxes yet: say it where a person
    // running the program sees it, and answer as OK would.
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return kIdOk;
}

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }

}  // namespace classlib::dialog_platform
