// A window that draws edges, Japanese text at the menu font's size and a
// replayed metafile: the three kinds of drawing every screen of the memo pad
// is made of, checked on the screen and kept as a picture.
#include <gtest/gtest.h>

#include "tests/support/window_fixture.h"

namespace test {
namespace {

class DrawingWindow : public WindowTest {
protected:
    // A page of text and a frame recorded at twice the size it is shown at.
    static HENHMETAFILE RecordPage() {
        HDC mdc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, "test\0page\0");
        HPEN pen = CreatePen(PS_SOLID, 4, RGB(0, 0, 128));
        HGDIOBJ oldPen = SelectObject(mdc, pen);
        HGDIOBJ oldBrush = SelectObject(mdc, GetStockObject(NULL_BRUSH));
        Rectangle(mdc, 4, 4, 196, 96);
        HFONT font = CreateFontA(-24, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ 明朝");
        HGDIOBJ oldFont = SelectObject(mdc, font);
        SetBkMode(mdc, TRANSPARENT);
        TextOutA(mdc, 16, 30, "印刷の見本", static_cast<int>(sizeof "印刷の見本" - 1));
        SelectObject(mdc, oldFont);
        SelectObject(mdc, oldBrush);
        SelectObject(mdc, oldPen);
        DeleteObject(font);
        DeleteObject(pen);
        return CloseEnhMetaFile(mdc);
    }

    static void Paint(HDC dc, HENHMETAFILE page) {
        RECT r{10, 10, 110, 40};
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        r = RECT{120, 10, 220, 40};
        DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
        r = RECT{230, 10, 330, 40};
        DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
        HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ Ｐゴシック");
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        const char text[] = "吾輩は猫である。名前はまだ無い。";
        TextOutA(dc, 10, 60, text, static_cast<int>(sizeof text - 1));
        SelectObject(dc, old);
        DeleteObject(font);
        RECT dest{10, 90, 110, 140};
        PlayEnhMetaFile(dc, page, &dest);
    }

    int Ink(const RECT& r, COLORREF background) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) n += ScreenColor(x, y) != background;
        }
        return n;
    }
};

TEST_F(DrawingWindow, EdgesTextAndAReplayedPageReachTheScreen) {
    HENHMETAFILE page = RecordPage();
    ASSERT_TRUE(page);
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 460, 300}, nullptr, 0, "描画");
    OnMessage(w, WM_PAINT, [page](HWND h, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        Paint(dc, page);
        EndPaint(h, &ps);
        return 0;
    });
    RunUntilIdle();
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    auto at = [&](int x, int y) { return ScreenColor(origin.x + x, origin.y + y); };
    // Raised: light outer top-left, dark outer bottom-right, face inside.
    EXPECT_EQ(at(10, 20), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(at(109, 20), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(at(50, 25), GetSysColor(COLOR_3DFACE));
    // Sunken: shadow outer top-left, highlight outer bottom-right.
    EXPECT_EQ(at(120, 20), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(at(219, 20), GetSysColor(COLOR_3DHILIGHT));
    // Etched: shadow then highlight.
    EXPECT_EQ(at(230, 20), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(at(231, 20), GetSysColor(COLOR_3DHILIGHT));
    // Twelve-pixel text: ink within a line of about twelve pixels and
    // nothing below it.
    const COLORREF white = RGB(255, 255, 255);
    EXPECT_GT(Ink(RECT{origin.x + 10, origin.y + 60, origin.x + 200, origin.y + 74}, white), 150);
    EXPECT_EQ(Ink(RECT{origin.x + 10, origin.y + 76, origin.x + 200, origin.y + 88}, white), 0);
    // The page, recorded 200 by 100, replayed at half size: its frame's
    // left side near the left of the destination, two pixels wide where
    // the pen was four, and its text inside.
    int navy = 0;
    for (int x = 10; x < 20; ++x) navy += at(x, 115) == RGB(0, 0, 128);
    EXPECT_GE(navy, 1);
    EXPECT_LE(navy, 3);
    EXPECT_GT(Ink(RECT{origin.x + 16, origin.y + 100, origin.x + 100, origin.y + 130}, white), 30);
    EXPECT_EQ(Ink(RECT{origin.x + 120, origin.y + 90, origin.x + 200, origin.y + 140}, white), 0);
    EXPECT_FALSE(SaveWindowShot(w, "drawing_window").empty());
    DeleteEnhMetaFile(page);
}

}  // namespace
}  // namespace test
