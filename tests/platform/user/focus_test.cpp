#include <gtest/gtest.h>

#include "tests/support/window_fixture.h"

namespace test {
namespace {

class Focus : public WindowTest {};

TEST_F(Focus, SetFocusSendsKillThenSetAndActivatesTheTopLevel) {
    HWND a = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 200, 200});
    HWND edit = CreateRecordedWindow(WS_CHILD | WS_VISIBLE, RECT{10, 10, 50, 30}, a);
    HWND b = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{300, 0, 500, 200});
    EXPECT_EQ(GetActiveWindow(), b);
    Log().Clear();
    EXPECT_EQ(SetFocus(edit), a);  // activation had already focused the frame
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetFocus(), edit);
    std::vector<std::pair<HWND, UINT>> seq;
    for (const Message& m : Log().All()) {
        if (m.msg == WM_NCACTIVATE || m.msg == WM_ACTIVATE || m.msg == WM_SETFOCUS || m.msg == WM_KILLFOCUS)
            seq.emplace_back(m.hwnd, m.msg);
    }
    std::vector<std::pair<HWND, UINT>> expected = {{b, WM_NCACTIVATE}, {b, WM_ACTIVATE},  {a, WM_NCACTIVATE},
                                                   {a, WM_ACTIVATE},   {b, WM_KILLFOCUS}, {a, WM_SETFOCUS},
                                                   {a, WM_KILLFOCUS},  {edit, WM_SETFOCUS}};
    EXPECT_EQ(seq, expected);
    EXPECT_EQ(LOWORD(Log().Last(b, WM_ACTIVATE)->wParam), WA_INACTIVE);
    EXPECT_EQ(reinterpret_cast<HWND>(Log().Last(b, WM_ACTIVATE)->lParam), a);
}

TEST_F(Focus, ActivateAppComesWhenTheFirstWindowActivatesAndWhenTheLastGoes) {
    HWND a = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 200, 200});
    EXPECT_EQ(Log().Count(a, WM_ACTIVATEAPP), 1);
    EXPECT_EQ(Log().Last(a, WM_ACTIVATEAPP)->wParam, TRUE);
    HWND b = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 200, 200});
    EXPECT_EQ(Log().Count(b, WM_ACTIVATEAPP), 0);  // the program was active already
    DestroyWindow(b);
    EXPECT_EQ(GetActiveWindow(), a);
    Log().Clear();
    ShowWindow(a, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    ASSERT_TRUE(Log().Last(a, WM_ACTIVATEAPP));
    EXPECT_EQ(Log().Last(a, WM_ACTIVATEAPP)->wParam, FALSE);
}

TEST_F(Focus, ClosingAnOwnedWindowActivatesItsOwner) {
    HWND owner = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 400, 400});
    HWND other = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{500, 0, 700, 200});
    HWND dialog = CreateRecordedWindow(WS_POPUP | WS_CAPTION | WS_VISIBLE, RECT{50, 50, 200, 200}, owner);
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_EQ(GetLastActivePopup(owner), dialog);
    DestroyWindow(dialog);
    EXPECT_EQ(GetActiveWindow(), owner);
    (void)other;
}

TEST_F(Focus, DisabledOwnerHandsClicksToItsModalPopup) {
    HWND owner = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 400, 400});
    HWND dialog = CreateRecordedWindow(WS_POPUP | WS_CAPTION | WS_VISIBLE, RECT{500, 50, 700, 200}, owner);
    EnableWindow(owner, FALSE);
    HWND other = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{600, 400, 900, 700});
    EXPECT_EQ(GetActiveWindow(), other);
    Log().Clear();
    int beeps = Screen().Beeps();
    Click(100, 100);
    EXPECT_FALSE(Log().Saw(owner, WM_LBUTTONDOWN));
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_EQ(Screen().Beeps(), beeps + 1);
    EnableWindow(owner, TRUE);
    EXPECT_TRUE(Log().Saw(owner, WM_ENABLE));
}

TEST_F(Focus, HidingOrDestroyingTheFocusedOrCapturingChildReleasesBoth) {
    HWND top = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 300, 300});
    HWND child = CreateRecordedWindow(WS_CHILD | WS_VISIBLE, RECT{10, 10, 100, 100}, top);
    SetFocus(child);
    SetCapture(child);
    ShowWindow(child, SW_HIDE);
    EXPECT_EQ(GetFocus(), top);
    EXPECT_EQ(GetCapture(), nullptr);
    ShowWindow(child, SW_SHOW);
    SetFocus(child);
    SetCapture(child);
    DestroyWindow(child);
    EXPECT_EQ(GetFocus(), top);
    EXPECT_EQ(GetCapture(), nullptr);
    // Disabling the focused window takes the focus away.
    HWND second = CreateRecordedWindow(WS_CHILD | WS_VISIBLE, RECT{10, 10, 100, 100}, top);
    SetFocus(second);
    EnableWindow(second, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
    // A window that destroys itself while losing the focus leaves no focus behind.
    HWND third = CreateRecordedWindow(WS_CHILD | WS_VISIBLE, RECT{10, 10, 100, 100}, top);
    SetFocus(third);
    OnMessage(third, WM_KILLFOCUS, [](HWND h, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        DestroyWindow(h);
        return 0;
    });
    SetFocus(top);
    EXPECT_FALSE(IsWindow(third));
    EXPECT_EQ(GetFocus(), top);
}

TEST_F(Focus, KeysGoToTheFocusOrAsSystemKeysToTheActiveWindow) {
    HWND top = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 300, 300});
    HWND child = CreateRecordedWindow(WS_CHILD | WS_VISIBLE, RECT{10, 10, 100, 100}, top);
    SetFocus(child);
    Log().Clear();
    PressKey('Q');
    EXPECT_TRUE(Log().Saw(child, WM_KEYDOWN));
    SetFocus(nullptr);
    Log().Clear();
    PressKey('Q');
    EXPECT_TRUE(Log().Saw(top, WM_SYSKEYDOWN));
    EXPECT_FALSE(Log().Saw(top, WM_KEYDOWN));
}

}  // namespace
}  // namespace test
