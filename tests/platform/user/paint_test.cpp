#include <gtest/gtest.h>

#include "tests/support/window_fixture.h"

namespace test {
namespace {

class Painting : public WindowTest {};

TEST_F(Painting, FramesBackgroundsAndChildrenReachTheScreen) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    HWND child = CreateRecordedWindow(WS_CHILD | WS_VISIBLE, RECT{10, 10, 60, 60}, w);
    OnMessage(child, WM_PAINT, [](HWND h, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        RECT r{0, 0, 50, 50};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &r, red);
        DeleteObject(red);
        EndPaint(h, &ps);
        return 0;
    });
    RunUntilIdle();
    EXPECT_EQ(ScreenColor(50, 50), RGB(0, 128, 128));     // desktop
    EXPECT_EQ(ScreenColor(200, 110), RGB(0, 0, 128));     // active caption
    EXPECT_EQ(ScreenColor(300, 250), RGB(255, 255, 255)); // client background
    EXPECT_EQ(ScreenColor(100 + 4 + 10 + 5, 100 + 4 + 19 + 10 + 5), RGB(255, 0, 0));
    EXPECT_EQ(ScreenColor(102, 200), RGB(192, 192, 192));  // sizing border
    // Another window above deactivates the caption and covers part of it.
    CreateRecordedWindow(WS_POPUP | WS_VISIBLE, RECT{350, 0, 600, 500});
    EXPECT_EQ(ScreenColor(200, 110), RGB(128, 128, 128));
    EXPECT_EQ(ScreenColor(360, 250), RGB(255, 255, 255));
}

TEST_F(Painting, ParentPaintsBeforeChildrenAndHiddenWindowsDoNotPaint) {
    HWND w = CreateRecordedWindow(WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 200});
    HWND child = CreateRecordedWindow(WS_CHILD | WS_VISIBLE, RECT{10, 10, 60, 60}, w);
    HWND hidden = CreateRecordedWindow(WS_CHILD, RECT{70, 10, 90, 30}, w);
    RunUntilIdle();
    std::vector<HWND> painted;
    for (const Message& m : Log().All()) {
        if (m.msg == WM_PAINT) painted.push_back(m.hwnd);
    }
    EXPECT_EQ(painted, (std::vector<HWND>{w, child}));
    InvalidateRect(hidden, nullptr, TRUE);
    Log().Clear();
    RunUntilIdle();
    EXPECT_FALSE(Log().Saw(hidden, WM_PAINT));
    // A parent without WS_CLIPCHILDREN takes its children along.
    InvalidateRect(w, nullptr, TRUE);
    RunUntilIdle();
    EXPECT_TRUE(Log().Saw(child, WM_PAINT));
    SetWindowLongPtrA(w, GWL_STYLE, GetWindowLongPtrA(w, GWL_STYLE) | WS_CLIPCHILDREN);
    Log().Clear();
    InvalidateRect(w, nullptr, TRUE);
    RunUntilIdle();
    EXPECT_FALSE(Log().Saw(child, WM_PAINT));
}

TEST_F(Painting, BeginPaintReportsTheMergedAreaAndErasesOnce) {
    HWND w = CreateRecordedWindow(WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 200});
    RunUntilIdle();
    RECT seen{};
    OnMessage(w, WM_PAINT, [&](HWND h, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        seen = ps.rcPaint;
        EndPaint(h, &ps);
        return 0;
    });
    Log().Clear();
    RECT a{10, 10, 20, 20}, b{30, 40, 50, 60};
    InvalidateRect(w, &a, TRUE);
    InvalidateRect(w, &b, FALSE);
    RunUntilIdle();
    EXPECT_EQ(seen, (RECT{10, 10, 50, 60}));
    EXPECT_EQ(Log().Count(w, WM_ERASEBKGND), 1);
    EXPECT_EQ(Log().Count(w, WM_PAINT), 1);
    UpdateWindow(w);
    EXPECT_EQ(Log().Count(w, WM_PAINT), 1);
    InvalidateRect(w, &a, FALSE);
    UpdateWindow(w);  // paints at once, not through the queue
    EXPECT_EQ(Log().Count(w, WM_PAINT), 2);
}

TEST_F(Painting, DesktopDCDrawsOverEverythingAndLockWindowUpdateHoldsPainting) {
    HWND w = CreateRecordedWindow(WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 200});
    RunUntilIdle();
    EXPECT_TRUE(LockWindowUpdate(GetDesktopWindow()));
    EXPECT_FALSE(LockWindowUpdate(w));  // one lock at a time
    HDC dc = GetDCEx(GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    ASSERT_TRUE(dc);
    PatBlt(dc, 10, 10, 20, 20, DSTINVERT);
    ReleaseDC(GetDesktopWindow(), dc);
    EXPECT_EQ(ColorFromPixel(Screen().ScreenPixel(15, 15)), RGB(0, 0, 0));  // white inverted
    // Painting of a window while the desktop is locked draws nothing.
    HDC wdc = GetDC(w);
    RECT r{100, 100, 120, 120};
    FillRect(wdc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(w, wdc);
    EXPECT_EQ(ScreenColor(110, 110), RGB(255, 255, 255));
    PatBlt(dc = GetDCEx(GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE), 10, 10, 20, 20,
           DSTINVERT);
    ReleaseDC(GetDesktopWindow(), dc);
    EXPECT_TRUE(LockWindowUpdate(nullptr));
    EXPECT_EQ(ScreenColor(15, 15), RGB(255, 255, 255));
}

TEST_F(Painting, ScreenshotsAreWritten) {
    CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, RECT{100, 100, 400, 300}, nullptr,
                         WS_EX_CLIENTEDGE, "日本語");
    std::string path = SaveScreenshot("painting_frame");
    ASSERT_FALSE(path.empty());
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_TRUE(f);
    unsigned char sig[8] = {};
    EXPECT_EQ(std::fread(sig, 1, 8, f), 8u);
    std::fclose(f);
    EXPECT_EQ(sig[1], 'P');
}

}  // namespace
}  // namespace test
