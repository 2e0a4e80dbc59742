#include "tests/platform/user/controls/controls_fixture.h"

namespace test {

void ControlsTest::SetUp() {
    DialogTest::SetUp();
    parent_ = CreateRecordedWindow(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 500, 400});
    RunUntilIdle();
}

void ControlsTest::TearDown() {
    if (IsWindow(parent_)) DestroyWindow(parent_);
    DialogTest::TearDown();
}

HWND ControlsTest::Make(const char* cls, const char* text, DWORD style, RECT r, int id, DWORD exStyle) {
    HWND h = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, parent_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                             nullptr);
    RunUntilIdle();
    return h;
}

std::vector<std::pair<int, int>> ControlsTest::Commands() const {
    std::vector<std::pair<int, int>> out;
    for (const Message& m : const_cast<ControlsTest*>(this)->Log().All()) {
        if (m.hwnd == parent_ && m.msg == WM_COMMAND) out.emplace_back(LOWORD(m.wParam), HIWORD(m.wParam));
    }
    return out;
}

std::vector<int> ControlsTest::Codes(int id) const {
    std::vector<int> out;
    for (auto [i, code] : Commands()) {
        if (i == id) out.push_back(code);
    }
    return out;
}

std::string ControlsTest::WindowText(HWND hwnd) {
    char buf[512] = {};
    int n = GetWindowTextA(hwnd, buf, sizeof buf);
    return std::string(buf, static_cast<std::size_t>(n < 0 ? 0 : n));
}

}  // namespace test
