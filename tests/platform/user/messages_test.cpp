#include <gtest/gtest.h>

#include "tests/support/window_fixture.h"

namespace test {
namespace {

class Messages : public WindowTest {};

TEST_F(Messages, PostedMessagesComeOutInOrderAndFiltersSelectThem) {
    HWND a = CreateRecordedWindow(WS_POPUP, RECT{0, 0, 10, 10});
    HWND b = CreateRecordedWindow(WS_POPUP, RECT{0, 0, 10, 10});
    PostMessageA(a, WM_USER + 1, 1, 0);
    PostMessageA(b, WM_USER + 2, 2, 0);
    PostMessageA(a, WM_USER + 3, 3, 0);
    PostThreadMessageA(0, WM_USER + 4, 4, 0);
    MSG msg;
    // Range filter.
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 2, WM_USER + 3, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2u);
    // Window filter; PM_NOREMOVE leaves it in place.
    ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.hwnd, b);
    ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE | PM_NOYIELD));
    EXPECT_FALSE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
    // Thread messages only.
    ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 4u);
    EXPECT_EQ(msg.hwnd, nullptr);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 1u);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(DispatchMessageA(&msg), 0);
    EXPECT_TRUE(Log().Saw(a, WM_USER + 3));
    // Messages for a destroyed window go with it.
    PostMessageA(a, WM_USER + 5, 0, 0);
    DestroyWindow(a);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER + 100, PM_REMOVE));
}

TEST_F(Messages, QuitComesAfterPostedMessagesAndEndsGetMessage) {
    HWND w = CreateRecordedWindow(WS_POPUP, RECT{0, 0, 10, 10});
    PostQuitMessage(7);
    PostMessageA(w, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER);
    // WM_QUIT comes whatever the filter.
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 7u);
}

// A modal loop run from inside a message handler, ended from an idle step
// of the test by PostQuitMessage, which the loop posts again for the outer
// loop as Win32 modal loops do.
TEST_F(Messages, NestedModalLoopsEndByPostQuitMessage) {
    HWND w = CreateRecordedWindow(WS_POPUP | WS_VISIBLE, RECT{0, 0, 10, 10});
    int depthReached = 0;
    std::function<void(int)> modal = [&](int depth) {
        depthReached = std::max(depthReached, depth);
        if (depth < 3) {
            PostMessageA(w, WM_USER + 10, static_cast<WPARAM>(depth + 1), 0);
        } else {
            WhenIdle([] { PostQuitMessage(5); });
        }
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0)) DispatchMessageA(&msg);
        PostQuitMessage(static_cast<int>(msg.wParam));
    };
    OnMessage(w, WM_USER + 10, [&](HWND, UINT, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        modal(static_cast<int>(wp));
        return 0;
    });
    SendMessageA(w, WM_USER + 10, 1, 0);
    EXPECT_EQ(depthReached, 3);
    MSG msg;
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(Messages, DeepSendRecursionWorks) {
    HWND w = CreateRecordedWindow(WS_POPUP, RECT{0, 0, 10, 10});
    OnMessage(w, WM_USER, [](HWND h, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (wp == 0) return 0;
        return 1 + SendMessageA(h, m, wp - 1, 0);
    });
    EXPECT_EQ(SendMessageA(w, WM_USER, 2000, 0), 2000);
    EXPECT_FALSE(InSendMessage());
}

TEST_F(Messages, TimersFireOnTheFakeClock) {
    HWND w = CreateRecordedWindow(WS_POPUP, RECT{0, 0, 10, 10});
    EXPECT_EQ(SetTimer(w, 3, 100, nullptr), 3u);
    AdvanceClock(99);
    EXPECT_EQ(Log().Count(w, WM_TIMER), 0);
    AdvanceClock(1);
    EXPECT_EQ(Log().Count(w, WM_TIMER), 1);
    EXPECT_EQ(Log().Last(w, WM_TIMER)->wParam, 3u);
    // However late it is taken, a due timer gives one message.
    AdvanceClock(1000);
    EXPECT_EQ(Log().Count(w, WM_TIMER), 2);
    EXPECT_TRUE(KillTimer(w, 3));
    EXPECT_FALSE(KillTimer(w, 3));
    AdvanceClock(1000);
    EXPECT_EQ(Log().Count(w, WM_TIMER), 2);
}

int callbackCount = 0;
void CALLBACK CountTimer(HWND, UINT msg, UINT_PTR, DWORD) {
    if (msg == WM_TIMER) ++callbackCount;
}

TEST_F(Messages, CallbackTimersAndWaitingJumpTheClock) {
    callbackCount = 0;
    UINT_PTR id = SetTimer(nullptr, 0, 250, CountTimer);
    ASSERT_NE(id, 0u);
    DWORD before = Screen().Now();
    MSG msg;
    // Nothing else to do: GetMessageA waits and the fake clock jumps to the timer.
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(Screen().Now() - before, 250u);
    DispatchMessageA(&msg);
    EXPECT_EQ(callbackCount, 1);
    KillTimer(nullptr, id);
    // A WM_TIMER naming a procedure of no live timer calls nothing.
    DispatchMessageA(&msg);
    EXPECT_EQ(callbackCount, 1);
}

TEST_F(Messages, PaintComesOnlyWhenTheQueueIsEmptyAndUpdateRegionsMerge) {
    HWND w = CreateRecordedWindow(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    RunUntilIdle();
    Log().Clear();
    RECT a{0, 0, 10, 10}, b{50, 50, 60, 60};
    InvalidateRect(w, &a, FALSE);
    InvalidateRect(w, &b, FALSE);
    PostMessageA(w, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_PAINT);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(w, &update, FALSE));
    EXPECT_EQ(update, (RECT{0, 0, 60, 60}));
    RunUntilIdle();
    EXPECT_EQ(Log().Count(w, WM_PAINT), 1);
    EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
    // Validating what was invalidated leaves nothing to paint.
    InvalidateRect(w, &a, FALSE);
    ValidateRect(w, &a);
    RunUntilIdle();
    EXPECT_EQ(Log().Count(w, WM_PAINT), 1);
}

TEST_F(Messages, RegisteredMessagesAndMessageTimeAndPosition) {
    UINT m = RegisterWindowMessageA("CoolMenuBar");
    EXPECT_GE(m, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageA("CoolMenuBar"), m);
    EXPECT_NE(RegisterWindowMessageA("Other"), m);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
    HWND w = CreateRecordedWindow(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    MoveMouse(30, 40);
    Screen().Advance(20);
    PostMessageA(w, WM_USER, 0, 0);
    MSG msg;
    GetMessageA(&msg, nullptr, WM_USER, WM_USER);
    EXPECT_EQ(GetMessagePos(), static_cast<DWORD>(MAKELONG(30, 40)));
    EXPECT_EQ(static_cast<DWORD>(GetMessageTime()), Screen().Now());
}

TEST_F(Messages, WindowDestroyingItselfInsideAHandlerLeavesTheSystemConsistent) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 200, 200});
    HWND child = CreateRecordedWindow(WS_CHILD | WS_VISIBLE, RECT{10, 10, 100, 100}, w);
    SetFocus(child);
    OnMessage(child, WM_LBUTTONDOWN, [&](HWND h, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        SetCapture(h);
        DestroyWindow(w);  // the parent, and with it this window, mid-message
        return 0;
    });
    Click(50, 50);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    // Further input over where it was goes nowhere, harmlessly.
    Click(50, 50);
    PressKey('A');
}

}  // namespace
}  // namespace test
