#include <gtest/gtest.h>

#include "tests/support/window_fixture.h"

namespace test {
namespace {

class Input : public WindowTest {};

HHOOK keyboardHook = nullptr;
std::vector<std::pair<WPARAM, LPARAM>> hookedKeys;
LRESULT CALLBACK SwallowF(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        hookedKeys.emplace_back(wp, lp);
        if (wp == 'F') return 1;
    }
    return CallNextHookEx(keyboardHook, code, wp, lp);
}

TEST_F(Input, KeyboardHookSeesEveryKeyAndSwallowsWhatItAnswers) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 200, 200});
    hookedKeys.clear();
    keyboardHook = SetWindowsHookExA(WH_KEYBOARD, SwallowF, nullptr, 0);
    ASSERT_TRUE(keyboardHook);
    RunUntilIdle();
    Log().Clear();
    TypeText("gf");
    ASSERT_EQ(hookedKeys.size(), 4u);
    EXPECT_EQ(hookedKeys[0].first, static_cast<WPARAM>('G'));
    EXPECT_FALSE(hookedKeys[0].second & (1 << 31));
    EXPECT_TRUE(hookedKeys[1].second & (1 << 31));  // release
    std::vector<UINT> expected = {WM_KEYDOWN, WM_CHAR, WM_KEYUP};  // both F messages swallowed
    EXPECT_EQ(Log().Numbers(w), expected);
    EXPECT_EQ(Log().Last(w, WM_CHAR)->wParam, static_cast<WPARAM>('g'));
    EXPECT_TRUE(UnhookWindowsHookEx(keyboardHook));
    EXPECT_FALSE(UnhookWindowsHookEx(keyboardHook));
    Log().Clear();
    TypeText("f");
    EXPECT_TRUE(Log().Saw(w, WM_CHAR));
}

TEST_F(Input, KeyMessagesCarryWin32LParamBitsAndSystemKeysWithAlt) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 200, 200});
    RunUntilIdle();
    Log().Clear();
    KeyDown(VK_RIGHT);
    KeyDown(VK_RIGHT);  // auto-repeat
    KeyUp(VK_RIGHT);
    auto msgs = Log().All();
    ASSERT_EQ(msgs.size(), 3u);
    DWORD first = static_cast<DWORD>(msgs[0].lParam), repeat = static_cast<DWORD>(msgs[1].lParam),
          up = static_cast<DWORD>(msgs[2].lParam);
    EXPECT_EQ(first & 0xFFFF, 1u);
    EXPECT_EQ((first >> 16) & 0xFF, 0x4Du);  // scan code
    EXPECT_FALSE(first & (1u << 30));
    EXPECT_TRUE(repeat & (1u << 30));  // was down before
    EXPECT_TRUE(up & (1u << 30));
    EXPECT_TRUE(up & (1u << 31));
    EXPECT_EQ(msgs[2].msg, WM_KEYUP);
    // With Alt the messages are system keys and the character a WM_SYSCHAR.
    Log().Clear();
    KeyDown(VK_MENU);
    KeyDown('X');
    KeyUp('X');
    KeyUp(VK_MENU);
    std::vector<UINT> expected = {WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSCOMMAND, WM_SYSKEYUP, WM_SYSKEYUP};
    EXPECT_EQ(Log().Numbers(w), expected);
    EXPECT_EQ(Log().Last(w, WM_SYSCHAR)->wParam, static_cast<WPARAM>('x'));
    EXPECT_TRUE(Log().Last(w, WM_SYSCHAR)->lParam & (1 << 29));
    auto cmd = Log().Last(w, WM_SYSCOMMAND);
    EXPECT_EQ(cmd->wParam, SC_KEYMENU);
    EXPECT_EQ(cmd->lParam, 'x');
    EXPECT_GE(GetKeyState(VK_MENU), 0);
}

TEST_F(Input, AltAloneAndF10OpenTheMenuAndAltF4Closes) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 200, 200});
    Log().Clear();
    // Each opens the menu loop (on the window menu, as the window has no
    // menu bar); Escape leaves it.
    auto escape = [this] {
        Screen().Key(VK_ESCAPE, true);
        Screen().Key(VK_ESCAPE, false);
    };
    WhenIdle(escape);
    PressKey(VK_MENU);
    ASSERT_EQ(Log().Count(w, WM_SYSCOMMAND), 1);
    EXPECT_EQ(Log().Last(w, WM_SYSCOMMAND)->wParam, SC_KEYMENU);
    EXPECT_EQ(Log().Last(w, WM_SYSCOMMAND)->lParam, 0);
    WhenIdle(escape);
    PressKey(VK_F10);
    EXPECT_EQ(Log().Count(w, WM_SYSCOMMAND), 2);
    PressAltKey(VK_F4);
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(Input, TypedJapaneseTextAndSynthesisedKeysFeedTheSamePath) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 200, 200});
    Log().Clear();
    ImeCommit("日本");
    std::vector<WPARAM> chars;
    for (const Message& m : Log().All()) {
        if (m.msg == WM_CHAR) chars.push_back(m.wParam);
    }
    EXPECT_EQ(chars, (std::vector<WPARAM>{0x65E5, 0x672C}));
    Log().Clear();
    keybd_event(VK_SHIFT, 0, 0, 0);
    keybd_event('2', 0, 0, 0);
    keybd_event('2', 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    RunUntilIdle();
    EXPECT_EQ(Log().Last(w, WM_CHAR)->wParam, static_cast<WPARAM>('"'));  // the Japanese layout
    INPUT in[2] = {};
    in[0].type = INPUT_KEYBOARD;
    in[0].ki.wScan = 0x3042;  // あ
    in[0].ki.dwFlags = KEYEVENTF_UNICODE;
    in[1] = in[0];
    in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    EXPECT_EQ(SendInput(2, in, sizeof(INPUT)), 2u);
    RunUntilIdle();
    EXPECT_EQ(Log().Last(w, WM_CHAR)->wParam, 0x3042u);
    // Ctrl+letter gives the control character.
    KeyDown(VK_CONTROL);
    PressKey('A');
    KeyUp(VK_CONTROL);
    EXPECT_EQ(Log().Last(w, WM_CHAR)->wParam, 1u);
}

TEST_F(Input, MouseGoesToTheWindowUnderThePointerOrToTheCapture) {
    HWND top = CreateRecordedWindow(WS_POPUP | WS_VISIBLE, RECT{0, 0, 300, 300});
    HWND child = CreateRecordedWindow(WS_CHILD | WS_VISIBLE, RECT{100, 100, 200, 200}, top);
    Log().Clear();
    Click(150, 160);
    auto down = Log().Last(child, WM_LBUTTONDOWN);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->lParam, MAKELPARAM(50, 60));
    EXPECT_EQ(down->wParam, MK_LBUTTON);
    EXPECT_FALSE(Log().Saw(top, WM_LBUTTONDOWN));
    EXPECT_TRUE(Log().Saw(child, WM_SETCURSOR));
    // With the capture every mouse message goes to the capturing window in
    // its client coordinates, wherever the pointer is.
    EXPECT_EQ(SetCapture(child), nullptr);
    Log().Clear();
    MoveMouse(10, 20);
    auto move = Log().Last(child, WM_MOUSEMOVE);
    ASSERT_TRUE(move);
    EXPECT_EQ(GET_X_LPARAM(move->lParam), -90);
    EXPECT_EQ(GET_Y_LPARAM(move->lParam), -80);
    EXPECT_FALSE(Log().Saw(top, WM_MOUSEMOVE));
    // Taking the capture away tells the loser.
    SetCapture(top);
    auto changed = Log().Last(child, WM_CAPTURECHANGED);
    ASSERT_TRUE(changed);
    EXPECT_EQ(reinterpret_cast<HWND>(changed->lParam), top);
    ReleaseCapture();
    EXPECT_TRUE(Log().Saw(top, WM_CAPTURECHANGED));
    EXPECT_EQ(GetCapture(), nullptr);
    // A disabled child passes clicks to its parent.
    EnableWindow(child, FALSE);
    Log().Clear();
    Click(150, 160);
    EXPECT_TRUE(Log().Saw(top, WM_LBUTTONDOWN));
    EXPECT_FALSE(Log().Saw(child, WM_LBUTTONDOWN));
}

TEST_F(Input, DoubleClicksByTimeDistanceAndClassStyle) {
    HWND w = CreateRecordedWindow(WS_POPUP | WS_VISIBLE, RECT{0, 0, 300, 300});
    Log().Clear();
    DoubleClick(50, 50);
    EXPECT_EQ(Log().Count(w, WM_LBUTTONDBLCLK), 1);
    // Too slow.
    Click(50, 50);
    Screen().Advance(GetDoubleClickTime() + 1);
    Click(50, 50);
    EXPECT_EQ(Log().Count(w, WM_LBUTTONDBLCLK), 1);
    // Too far.
    Click(100, 100);
    Screen().Advance(10);
    Click(103, 100);
    EXPECT_EQ(Log().Count(w, WM_LBUTTONDBLCLK), 1);
    // A class without CS_DBLCLKS gets two presses.
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "NoDouble";
    RegisterClassA(&wc);
    HWND plain = CreateWindowExA(WS_EX_TOPMOST, "NoDouble", "", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr,
                                 nullptr, nullptr);
    int downs = 0;
    SetWindowLongPtrA(plain, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&downs));
    SetWindowLongPtrA(plain, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_LBUTTONDOWN) ++*reinterpret_cast<int*>(GetWindowLongPtrA(h, GWLP_USERDATA));
        if (m == WM_LBUTTONDBLCLK) *reinterpret_cast<int*>(GetWindowLongPtrA(h, GWLP_USERDATA)) += 100;
        return DefWindowProcA(h, m, wp, lp);
    }));
    DoubleClick(5, 5);
    EXPECT_EQ(downs, 2);
}

HHOOK mouseHook = nullptr;
std::vector<UINT> hookedMouse;
LRESULT CALLBACK EatRightButton(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        hookedMouse.push_back(static_cast<UINT>(wp));
        if (wp == WM_RBUTTONDOWN) return 1;
    }
    return CallNextHookEx(mouseHook, code, wp, lp);
}

TEST_F(Input, MouseHookSeesMessagesWithScreenPointsAndSwallows) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 300, 300});
    hookedMouse.clear();
    mouseHook = SetWindowsHookExA(WH_MOUSE, EatRightButton, nullptr, 0);
    Log().Clear();
    Click(100, 100, backend::MouseButton::Right);
    Click(100, 10);  // the caption
    EXPECT_FALSE(Log().Saw(w, WM_RBUTTONDOWN));
    EXPECT_TRUE(Log().Saw(w, WM_RBUTTONUP));
    EXPECT_NE(std::find(hookedMouse.begin(), hookedMouse.end(), WM_NCLBUTTONDOWN), hookedMouse.end());
    UnhookWindowsHookEx(mouseHook);
}

TEST_F(Input, MouseActivateNoActivateKeepsTheActiveWindow) {
    HWND main = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 300, 300});
    HWND tool = CreateRecordedWindow(WS_POPUP | WS_VISIBLE, RECT{400, 0, 500, 100}, main, WS_EX_TOOLWINDOW);
    SetActiveWindow(main);
    OnMessage(tool, WM_MOUSEACTIVATE, [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { return MA_NOACTIVATE; });
    Log().Clear();
    Click(450, 50);
    EXPECT_TRUE(Log().Saw(tool, WM_MOUSEACTIVATE));
    EXPECT_TRUE(Log().Saw(tool, WM_LBUTTONDOWN));
    EXPECT_EQ(GetActiveWindow(), main);
    // MA_ACTIVATE (the default) activates on click.
    OnMessage(tool, WM_MOUSEACTIVATE, [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { return std::nullopt; });
    Click(450, 50);
    EXPECT_EQ(GetActiveWindow(), tool);
    // MA_NOACTIVATEANDEAT drops the click.
    SetActiveWindow(main);
    OnMessage(tool, WM_MOUSEACTIVATE, [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { return MA_NOACTIVATEANDEAT; });
    Log().Clear();
    Click(450, 50);
    EXPECT_FALSE(Log().Saw(tool, WM_LBUTTONDOWN));
}

TEST_F(Input, CursorPositionAndStandardCursors) {
    CreateRecordedWindow(WS_POPUP | WS_VISIBLE, RECT{0, 0, 300, 300});
    MoveMouse(12, 34);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p, (POINT{12, 34}));
    SetCursorPos(5000, -3);
    GetCursorPos(&p);
    EXPECT_EQ(p, (POINT{1023, 0}));
    HCURSOR beam = LoadCursorA(nullptr, IDC_IBEAM);
    ASSERT_TRUE(beam);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_IBEAM), beam);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
    SetCursor(beam);
    EXPECT_EQ(GetCursor(), beam);
    EXPECT_EQ(Screen().Cursor(), backend::CursorShape::IBeam);
}

}  // namespace
}  // namespace test
