#include "platform/backend/headless/headless_backend.h"

#include <gtest/gtest.h>

#include "tests/support/window_fixture.h"

namespace test {
namespace {

using backend::HeadlessBackend;
using backend::HostEvent;
using backend::HostParams;

TEST(HeadlessBackend, ComposesVisibleHostsInStackingOrder) {
    HeadlessBackend b(SIZE{100, 80});
    EXPECT_EQ(b.ScreenPixel(5, 5), 0x008080u);
    HostParams p;
    p.bounds = RECT{10, 10, 50, 50};
    backend::HostId low = b.CreateHost(p);
    p.bounds = RECT{30, 30, 70, 70};
    backend::HostId high = b.CreateHost(p);
    b.HostSurface(low)->Fill(0x111111);
    b.HostSurface(high)->Fill(0x222222);
    b.ShowHost(low, true);
    b.Present(low, RECT{0, 0, 40, 40});
    EXPECT_EQ(b.ScreenPixel(40, 40), 0x111111u);
    b.ShowHost(high, true);
    b.Present(high, RECT{0, 0, 40, 40});
    EXPECT_EQ(b.ScreenPixel(40, 40), 0x222222u);
    b.SetHostStacking({low, high});
    EXPECT_EQ(b.ScreenPixel(40, 40), 0x111111u);
    b.SetHostBounds(low, RECT{0, 0, 20, 20});
    EXPECT_EQ(b.ScreenPixel(40, 40), 0x222222u);
    EXPECT_EQ(b.HostSurface(low)->Width(), 20);
    b.DestroyHost(high);
    EXPECT_EQ(b.ScreenPixel(40, 40), 0x008080u);
    EXPECT_EQ(b.HostSurface(high), nullptr);
    b.DestroyHost(high);  // twice is harmless
}

TEST(HeadlessBackend, WaitingTakesEventsThenIdleStepsThenJumpsTheClock) {
    HeadlessBackend b;
    HostEvent e;
    EXPECT_FALSE(b.WaitEvent(e, 0));
    b.MouseMove(POINT{3, 4});
    ASSERT_TRUE(b.WaitEvent(e, -1));
    EXPECT_EQ(e.type, backend::HostEventType::MouseMove);
    EXPECT_EQ(e.time, b.Now());
    int ran = 0;
    b.AddIdleStep([&] { ++ran; });
    b.AddIdleStep([&] { b.Key(VK_RETURN, true); });
    EXPECT_FALSE(b.WaitEvent(e, -1));  // the step ran, nothing arrived
    EXPECT_EQ(ran, 1);
    ASSERT_TRUE(b.WaitEvent(e, -1));
    EXPECT_EQ(e.virtualKey, VK_RETURN);
    DWORD before = b.Now();
    EXPECT_FALSE(b.WaitEvent(e, 70));
    EXPECT_EQ(b.Now() - before, 70u);
}

TEST(HeadlessBackendDeathTest, WaitingForeverFailsLoudly) {
    HeadlessBackend b;
    HostEvent e;
    EXPECT_DEATH(b.WaitEvent(e, -1), "can never arrive");
}

class HeadlessWindowSystem : public WindowTest {};

TEST_F(HeadlessWindowSystem, GetMessageWithNothingToWaitForFailsLoudly) {
    EXPECT_DEATH(
        {
            MSG msg;
            GetMessageA(&msg, nullptr, 0, 0);
        },
        "can never arrive");
}

TEST_F(HeadlessWindowSystem, HostsFollowTopLevelWindows) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{10, 20, 110, 120}, nullptr, 0, "見出し");
    EXPECT_EQ(Screen().HostCount(), 1);
    HWND child = CreateRecordedWindow(WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, w);
    (void)child;
    EXPECT_EQ(Screen().HostCount(), 1);
    auto hosts = Screen().Stacking();
    ASSERT_EQ(hosts.size(), 1u);
    EXPECT_TRUE(Screen().IsHostVisible(hosts[0]));
    EXPECT_EQ(Screen().HostTitle(hosts[0]), "見出し");
    EXPECT_EQ(Screen().ActiveHost(), hosts[0]);
    MoveWindow(w, 50, 60, 200, 100, TRUE);
    EXPECT_EQ(Screen().HostBounds(hosts[0]), (RECT{50, 60, 250, 160}));
    SetWindowTextA(w, "別");
    EXPECT_EQ(Screen().HostTitle(hosts[0]), "別");
    // The display's close box asks the window to close the Win32 way.
    Screen().CloseRequest(hosts[0]);
    RunUntilIdle();
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(Screen().HostCount(), 0);
    EXPECT_TRUE(Log().Saw(w, WM_CLOSE));
}

}  // namespace
}  // namespace test
