#include <gtest/gtest.h>

#include "tests/support/window_fixture.h"

namespace test {
namespace {

class NonClient : public WindowTest {
protected:
    LRESULT HitAt(HWND w, int x, int y) { return SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(x, y)); }
};

TEST_F(NonClient, HitTestsOfAClassicSizingFrame) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, RECT{100, 100, 400, 300});
    EXPECT_EQ(HitAt(w, 50, 50), HTNOWHERE);
    EXPECT_EQ(HitAt(w, 200, 200), HTCLIENT);
    EXPECT_EQ(HitAt(w, 101, 200), HTLEFT);
    EXPECT_EQ(HitAt(w, 398, 200), HTRIGHT);
    EXPECT_EQ(HitAt(w, 250, 101), HTTOP);
    EXPECT_EQ(HitAt(w, 250, 298), HTBOTTOM);
    EXPECT_EQ(HitAt(w, 101, 101), HTTOPLEFT);
    EXPECT_EQ(HitAt(w, 398, 298), HTBOTTOMRIGHT);
    EXPECT_EQ(HitAt(w, 398, 101), HTTOPRIGHT);
    EXPECT_EQ(HitAt(w, 101, 298), HTBOTTOMLEFT);
    EXPECT_EQ(HitAt(w, 250, 110), HTCAPTION);
    // Buttons from the right: close, then maximise and minimise.
    EXPECT_EQ(HitAt(w, 400 - 4 - 2 - 8, 110), HTCLOSE);
    EXPECT_EQ(HitAt(w, 400 - 4 - 2 - 16 - 2 - 8, 110), HTMAXBUTTON);
    EXPECT_EQ(HitAt(w, 400 - 4 - 2 - 16 - 2 - 16 - 8, 110), HTMINBUTTON);
    EXPECT_EQ(HitAt(w, 108, 110), HTSYSMENU);
    EXPECT_EQ(HitAt(w, 390, 200), HTVSCROLL);
    EXPECT_EQ(HitAt(w, 200, 290), HTHSCROLL);
    EXPECT_EQ(HitAt(w, 390, 290), HTBOTTOMRIGHT);  // the size box of a sizing window
    // Maximised windows have no sizing border.
    ShowWindow(w, SW_SHOWMAXIMIZED);
    EXPECT_EQ(HitAt(w, -2, 300), HTBORDER);
}

TEST_F(NonClient, ToolWindowsHaveASmallCaptionAndOnlyAClose) {
    HWND w = CreateRecordedWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE,
                                  RECT{0, 0, 200, 100}, nullptr, WS_EX_TOOLWINDOW);
    RECT c;
    GetClientRect(w, &c);
    EXPECT_EQ(c.bottom, 100 - 8 - GetSystemMetrics(SM_CYSMCAPTION));
    EXPECT_EQ(HitAt(w, 200 - 4 - 2 - 5, 10), HTCLOSE);
    EXPECT_EQ(HitAt(w, 200 - 4 - 2 - 12 - 2 - 5, 10), HTCAPTION);
    RECT adjusted{0, 0, 100, 50};
    AdjustWindowRectEx(&adjusted, WS_POPUP | WS_CAPTION | WS_THICKFRAME, FALSE, WS_EX_TOOLWINDOW);
    EXPECT_EQ(adjusted, (RECT{-4, -4 - 16, 104, 54}));
}

TEST_F(NonClient, TheCaptionShowsTheWindowsSmallIconElseItsClassIcon) {
    auto makeIcon = [](COLORREF colour) {
        HDC screen = GetDC(nullptr);
        HBITMAP picture = CreateCompatibleBitmap(screen, 32, 32);
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, picture);
        RECT all{0, 0, 32, 32};
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        SelectObject(dc, old);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        HBITMAP mask = CreateBitmap(32, 32, 1, 1, nullptr);  // all opaque
        ICONINFO info{TRUE, 0, 0, mask, picture};
        HICON icon = CreateIconIndirect(&info);
        DeleteObject(mask);
        DeleteObject(picture);
        return icon;
    };
    HICON red = makeIcon(RGB(255, 0, 0)), green = makeIcon(RGB(0, 255, 0));
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hIcon = green;
    wc.lpszClassName = "IconFrame";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, "IconFrame", "icon", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                             nullptr, nullptr, nullptr);
    UpdateWindow(w);
    RunUntilIdle();
    // The icon sits in the window menu's place at the caption's left end.
    EXPECT_EQ(ScreenColor(100 + 4 + 1 + 9, 100 + 4 + 9), RGB(0, 255, 0));
    SendMessageA(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(red));
    RunUntilIdle();
    EXPECT_EQ(ScreenColor(100 + 4 + 1 + 9, 100 + 4 + 9), RGB(255, 0, 0));
    DestroyWindow(w);
    DestroyIcon(red);
    DestroyIcon(green);
}

TEST_F(NonClient, DraggingTheCaptionMovesTheWindowThroughAModalLoop) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    RunUntilIdle();
    Log().Clear();
    QueueMouseButton(200, 110, backend::MouseButton::Left, true);
    WhenIdle([&] { QueueMouseMove(250, 160); });
    WhenIdle([&] {
        // The outline is drawn inverted on the screen while dragging.
        EXPECT_NE(Screen().ScreenPixel(151, 151), 0x008080u);
        QueueMouseButton(250, 160, backend::MouseButton::Left, false);
    });
    RunUntilIdle();
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r, (RECT{150, 150, 450, 350}));
    EXPECT_TRUE(Log().Saw(w, WM_ENTERSIZEMOVE));
    EXPECT_TRUE(Log().Saw(w, WM_MOVING));
    EXPECT_TRUE(Log().Saw(w, WM_EXITSIZEMOVE));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Screen().ScreenPixel(120, 120), 0x008080u);  // the desktop shows again where it was
}

TEST_F(NonClient, SizingByTheFrameKeepsTheMinimumAndEscapeCancels) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    OnMessage(w, WM_GETMINMAXINFO, [](HWND, UINT, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        reinterpret_cast<MINMAXINFO*>(l)->ptMinTrackSize = POINT{200, 150};
        return 0;
    });
    QueueMouseButton(398, 298, backend::MouseButton::Left, true);
    WhenIdle([&] { QueueMouseMove(150, 150); });
    WhenIdle([&] { QueueMouseButton(150, 150, backend::MouseButton::Left, false); });
    RunUntilIdle();
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r, (RECT{100, 100, 300, 250}));
    QueueMouseButton(298, 248, backend::MouseButton::Left, true);
    WhenIdle([&] { QueueMouseMove(500, 500); });
    WhenIdle([&] { Screen().Key(VK_ESCAPE, true); });
    RunUntilIdle();
    GetWindowRect(w, &r);
    EXPECT_EQ(r, (RECT{100, 100, 300, 250}));
}

TEST_F(NonClient, CloseButtonActsOnlyWhenReleasedOverIt) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    int x = 400 - 4 - 2 - 8, y = 110;
    QueueMouseButton(x, y, backend::MouseButton::Left, true);
    WhenIdle([&] { QueueMouseMove(200, 200); });
    WhenIdle([&] { QueueMouseButton(200, 200, backend::MouseButton::Left, false); });
    RunUntilIdle();
    EXPECT_TRUE(IsWindow(w));
    Click(x, y);
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(NonClient, CaptionDoubleClickMaximisesAndSystemCommandsWork) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300});
    // A press and release without moving is a move of nothing.
    DoubleClick(200, 110);
    EXPECT_TRUE(IsZoomed(w));
    SendMessageA(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsZoomed(w));
    SendMessageA(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(w));
    SendMessageA(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    SendMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(NonClient, ScrollBarsClampAndTrackTheThumb) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, RECT{0, 0, 300, 300});
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 500, 0};
    EXPECT_EQ(SetScrollInfo(w, SB_VERT, &si, TRUE), 90);  // max - page + 1
    EXPECT_EQ(GetScrollPos(w, SB_VERT), 90);
    SetScrollPos(w, SB_VERT, 0, TRUE);
    RunUntilIdle();
    Log().Clear();
    // The down arrow at the bottom of the bar.
    RECT wr;
    GetWindowRect(w, &wr);
    int x = wr.right - 4 - 8;
    Click(x, wr.bottom - 4 - 8);
    auto line = Log().Last(w, WM_VSCROLL);
    ASSERT_TRUE(line);
    EXPECT_EQ(LOWORD(line->wParam), SB_ENDSCROLL);
    EXPECT_TRUE(std::any_of(Log().All().begin(), Log().All().end(),
                            [](const Message& m) { return m.msg == WM_VSCROLL && LOWORD(m.wParam) == SB_LINEDOWN; }));
    // Dragging the thumb sends SB_THUMBTRACK then SB_THUMBPOSITION.
    int thumbY = wr.top + 4 + 19 + 16 + 2;
    QueueMouseButton(x, thumbY, backend::MouseButton::Left, true);
    WhenIdle([&] { QueueMouseMove(x, thumbY + 100); });
    WhenIdle([&] { QueueMouseButton(x, thumbY + 100, backend::MouseButton::Left, false); });
    Log().Clear();
    RunUntilIdle();
    bool tracked = false;
    WPARAM position = 0;
    for (const Message& m : Log().All()) {
        if (m.msg != WM_VSCROLL) continue;
        if (LOWORD(m.wParam) == SB_THUMBTRACK) tracked = true;
        if (LOWORD(m.wParam) == SB_THUMBPOSITION) position = HIWORD(m.wParam);
    }
    EXPECT_TRUE(tracked);
    EXPECT_GT(position, 30u);
    ShowScrollBar(w, SB_VERT, FALSE);
    EXPECT_FALSE(GetWindowLongPtrA(w, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(NonClient, MetricsColoursAndParameters) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
    EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION), RGB(0, 0, 128));
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof(ncm);
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
    EXPECT_STREQ(ncm.lfMenuFont.lfFaceName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(ncm.lfMenuFont.lfCharSet, SHIFTJIS_CHARSET);
    ncm.cbSize = 500;
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 500, &ncm, 0));
    RECT work;
    Screen().SetWorkArea(RECT{0, 0, 1024, 740});
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work, (RECT{0, 0, 1024, 740}));
    EXPECT_GE(LOBYTE(LOWORD(GetVersion())), 4);
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW, RECT{0, 0, 100, 100});
    Log().Clear();
    INT index = COLOR_WINDOW;
    COLORREF yellow = RGB(255, 255, 0);
    SetSysColors(1, &index, &yellow);
    EXPECT_TRUE(Log().Saw(w, WM_SYSCOLORCHANGE));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), yellow);
    SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, SPIF_SENDCHANGE);
    EXPECT_TRUE(Log().Saw(w, WM_SETTINGCHANGE));
}

}  // namespace
}  // namespace test
