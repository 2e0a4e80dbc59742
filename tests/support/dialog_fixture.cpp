#include "tests/support/dialog_fixture.h"

#include <strings.h>

namespace test {

namespace {

UINT VkForChar(char c, bool* shift) {
    *shift = false;
    if (c >= 'a' && c <= 'z') return static_cast<UINT>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') {
        *shift = true;
        return static_cast<UINT>(c);
    }
    if (c >= '0' && c <= '9') return static_cast<UINT>(c);
    if (c == ' ') return VK_SPACE;
    return 0;
}

}  // namespace

void DialogTest::PumpDialog(HWND dialog) {
    MSG msg;
    for (int i = 0; i < 100000; ++i) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return;
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (IsWindow(dialog) && IsDialogMessageA(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    ADD_FAILURE() << "the message queue never became empty";
}

void DialogTest::DialogKey(HWND dialog, UINT vk) {
    QueueKey(vk);
    PumpDialog(dialog);
}

void DialogTest::DialogShiftKey(HWND dialog, UINT vk) {
    QueueShiftKey(vk);
    PumpDialog(dialog);
}

void DialogTest::DialogAltKey(HWND dialog, UINT vk) {
    QueueAltKey(vk);
    PumpDialog(dialog);
}

void DialogTest::DialogType(HWND dialog, const std::string& ascii) {
    QueueText(ascii);
    PumpDialog(dialog);
}

void DialogTest::QueueKey(UINT vk, const std::string& text) {
    Screen().Key(vk, true, text);
    Screen().Key(vk, false);
}

void DialogTest::QueueShiftKey(UINT vk) {
    Screen().Key(VK_SHIFT, true);
    Screen().Key(vk, true);
    Screen().Key(vk, false);
    Screen().Key(VK_SHIFT, false);
}

void DialogTest::QueueAltKey(UINT vk) {
    Screen().Key(VK_MENU, true);
    Screen().Key(vk, true);
    Screen().Key(vk, false);
    Screen().Key(VK_MENU, false);
}

void DialogTest::QueueText(const std::string& ascii) {
    for (char c : ascii) {
        bool shift = false;
        UINT vk = VkForChar(c, &shift);
        if (!vk) {
            Screen().Text(std::string(1, c));
            continue;
        }
        if (shift) Screen().Key(VK_SHIFT, true);
        Screen().Key(vk, true, std::string(1, c));
        Screen().Key(vk, false);
        if (shift) Screen().Key(VK_SHIFT, false);
    }
}

void DialogTest::QueueClick(int x, int y) {
    QueueMouseMove(x, y);
    QueueMouseButton(x, y, backend::MouseButton::Left, true);
    QueueMouseButton(x, y, backend::MouseButton::Left, false);
}

void DialogTest::QueueDoubleClick(int x, int y) {
    QueueClick(x, y);
    QueueMouseButton(x, y, backend::MouseButton::Left, true);
    QueueMouseButton(x, y, backend::MouseButton::Left, false);
}

void DialogTest::QueueClickOn(HWND hwnd) {
    RECT r = ScreenRectOf(hwnd);
    QueueClick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void DialogTest::QueueDoubleClickOn(HWND hwnd) {
    RECT r = ScreenRectOf(hwnd);
    QueueDoubleClick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

HWND DialogTest::FindDialogWindow(const std::string& caption) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        char cls[64] = {};
        GetClassNameA(w, cls, sizeof cls);
        if (std::string(cls) != "#32770" || !IsWindowVisible(w)) continue;
        if (caption.empty() || TextOf(w) == caption) return w;
    }
    return nullptr;
}

HWND DialogTest::FindChildByText(HWND parent, const std::string& text) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (TextOf(c) == text) return c;
        if (HWND inner = FindChildByText(c, text)) return inner;
    }
    return nullptr;
}

namespace {
HWND FindByClass(HWND parent, const std::string& className, int& index) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[64] = {};
        GetClassNameA(c, cls, sizeof cls);
        if (strcasecmp(cls, className.c_str()) == 0 && index-- == 0) return c;
        if (HWND inner = FindByClass(c, className, index)) return inner;
    }
    return nullptr;
}
}  // namespace

HWND DialogTest::FindChildByClass(HWND parent, const std::string& className, int index) {
    return FindByClass(parent, className, index);
}

std::string DialogTest::TextOf(HWND hwnd) {
    int n = GetWindowTextLengthA(hwnd);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    int got = GetWindowTextA(hwnd, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return s;
}

RECT DialogTest::ScreenRectOf(HWND hwnd) {
    RECT r{0, 0, 0, 0};
    GetWindowRect(hwnd, &r);
    return r;
}

}  // namespace test
