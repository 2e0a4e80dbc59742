#include <gtest/gtest.h>

#include "platform/gdi/wingdi.h"
#include "platform/user/winuser.h"
#include "tests/platform/gdi/canvas.h"

namespace win32 {
namespace {

using testing::Canvas;

// Classic colours: w highlight, l light (= face), g shadow, # dark shadow;
// the canvas is red (r) so untouched pixels show.
class EdgeTest : public ::testing::Test {
protected:
    EdgeTest() : c(5, 5, 0x0000FF) {
        c.Legend(0x0000FF, 'r');
        c.Legend(0xFFFFFF, 'w');
        c.Legend(0xC0C0C0, 'l');
        c.Legend(0x808080, 'g');
    }
    void Draw(UINT edge, UINT flags) {
        c.Clear(0x0000FF);
        rect = RECT{0, 0, 5, 5};
        DrawEdge(c.dc(), &rect, edge, flags);
    }
    std::string Rows() {
        std::string s;
        for (int y = 0; y < 5; ++y) s += c.Row(y) + (y < 4 ? "|" : "");
        return s;
    }
    Canvas c;
    RECT rect{};
};

TEST_F(EdgeTest, RaisedAndSunkenTwoRingEdges) {
    Draw(EDGE_RAISED, BF_RECT);
    EXPECT_EQ(Rows(), "llll#|lwwg#|lwrg#|lggg#|#####");
}

TEST_F(EdgeTest, SunkenEdgeExactly) {
    Draw(EDGE_SUNKEN, BF_RECT);
    EXPECT_EQ(c.Row(0), "ggggw");
    EXPECT_EQ(c.Row(1), "g##lw");
    EXPECT_EQ(c.Row(2), "g#rlw");
    EXPECT_EQ(c.Row(3), "glllw");
    EXPECT_EQ(c.Row(4), "wwwww");
}

TEST_F(EdgeTest, EtchedAndBump) {
    Draw(EDGE_ETCHED, BF_RECT);
    EXPECT_EQ(c.Row(0), "ggggw");
    EXPECT_EQ(c.Row(1), "gwwgw");
    EXPECT_EQ(c.Row(3), "ggggw");
    Draw(EDGE_BUMP, BF_RECT);
    EXPECT_EQ(c.Row(0), "llll#");
    EXPECT_EQ(c.Row(1), "l##l#");
    EXPECT_EQ(c.Row(3), "llll#");
}

TEST_F(EdgeTest, SoftPutsTheBrighterColourOutside) {
    Draw(EDGE_RAISED, BF_RECT | BF_SOFT);
    EXPECT_EQ(c.Row(0), "wwww#");
    EXPECT_EQ(c.Row(1), "wllg#");
    Draw(BDR_SUNKENINNER, BF_SOFT | BF_LEFT | BF_TOP);
    EXPECT_EQ(c.Row(0), "ggggg");
    EXPECT_EQ(c.Column(0), "ggggg");
    EXPECT_EQ(c.Row(1), "grrrr");
}

TEST_F(EdgeTest, SingleSidesAndOneRing) {
    // The menu's thin sunken frame: grey top-left, white bottom-right.
    c.Clear(0x0000FF);
    rect = RECT{0, 0, 5, 5};
    DrawEdge(c.dc(), &rect, BDR_SUNKENINNER, BF_SOFT | BF_LEFT | BF_TOP);
    DrawEdge(c.dc(), &rect, BDR_SUNKENOUTER, BF_RIGHT | BF_BOTTOM);
    EXPECT_EQ(c.Row(0), "ggggw");
    EXPECT_EQ(c.Row(2), "grrrw");
    EXPECT_EQ(c.Row(4), "wwwww");
    Draw(BDR_RAISEDINNER, BF_RIGHT);
    EXPECT_EQ(c.Column(4), "ggggg");
    EXPECT_EQ(c.Column(3), "rrrrr");
}

TEST_F(EdgeTest, MiddleAdjustFlatAndMono) {
    Draw(BDR_RAISEDINNER, BF_RECT | BF_MIDDLE | BF_ADJUST);
    EXPECT_EQ(c.Row(2), "wlllg");
    EXPECT_EQ(rect, (RECT{1, 1, 4, 4}));
    Draw(EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    EXPECT_EQ(rect, (RECT{2, 2, 3, 3}));
    Draw(EDGE_SUNKEN, BF_RECT | BF_FLAT);
    EXPECT_EQ(c.Row(0), "ggggg");
    EXPECT_EQ(c.Row(1), "glllg");
    EXPECT_EQ(c.Row(2), "glrlg");
    Draw(EDGE_SUNKEN, BF_RECT | BF_MONO | BF_MIDDLE);
    EXPECT_EQ(c.Row(0), "#####");
    EXPECT_EQ(c.Row(1), "#www#");
    EXPECT_EQ(c.Row(2), "#www#");
}

TEST_F(EdgeTest, InsideOutAndEmptyRectanglesDrawNothing) {
    c.Clear(0x0000FF);
    RECT r{4, 4, 0, 0};
    EXPECT_TRUE(DrawEdge(c.dc(), &r, EDGE_RAISED, BF_RECT | BF_MIDDLE));
    EXPECT_EQ(c.Row(0), "rrrrr");
    EXPECT_FALSE(DrawEdge(c.dc(), nullptr, EDGE_RAISED, BF_RECT));
}

TEST(FocusRect, DottedInvertedAndRemovedBySecondDraw) {
    Canvas c(6, 4);
    RECT r{0, 0, 6, 4};
    DrawFocusRect(c.dc(), &r);
    EXPECT_EQ(c.Row(0), "#.#.#.");
    EXPECT_EQ(c.Row(1), ".....#");
    EXPECT_EQ(c.Row(2), "#.....");
    EXPECT_EQ(c.Row(3), ".#.#.#");
    DrawFocusRect(c.dc(), &r);
    for (int y = 0; y < 4; ++y) EXPECT_EQ(c.Row(y), "......");
    // The dots start at the rectangle's corner wherever it lies.
    RECT s{1, 1, 4, 3};
    DrawFocusRect(c.dc(), &s);
    EXPECT_EQ(c.Row(1), ".#.#..");
}

TEST(FrameControl, CaptionCloseButtonAndPushed) {
    Canvas c(16, 14, 0x0000FF);
    c.Legend(0xC0C0C0, 'l');
    c.Legend(0x808080, 'g');
    RECT r{0, 0, 16, 14};
    ASSERT_TRUE(DrawFrameControl(c.dc(), &r, DFC_CAPTION, DFCS_CAPTIONCLOSE));
    EXPECT_EQ(c.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(c.At(15, 13), 0x000000u);
    EXPECT_EQ(c.At(14, 12), 0x808080u);
    // The cross is black and symmetric.
    int black = 0;
    for (int y = 2; y < 12; ++y)
        for (int x = 2; x < 14; ++x) black += c.At(x, y) == 0 ? 1 : 0;
    EXPECT_GT(black, 10);
    for (int y = 2; y < 12; ++y) {
        std::string row = c.Row(y, 2, 14);
        EXPECT_EQ(row, std::string(row.rbegin(), row.rend())) << y;
    }
    ASSERT_TRUE(DrawFrameControl(c.dc(), &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_PUSHED));
    EXPECT_EQ(c.At(0, 0), 0x000000u);
    EXPECT_EQ(c.At(15, 13), 0xFFFFFFu);
    RECT bad{5, 5, 5, 9};
    EXPECT_FALSE(DrawFrameControl(c.dc(), &bad, DFC_CAPTION, DFCS_CAPTIONCLOSE));
}

TEST(FrameControl, CheckBoxMarkAndMenuCheck) {
    Canvas c(13, 13, 0x0000FF);
    RECT r{0, 0, 13, 13};
    DrawFrameControl(c.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(c.At(0, 0), 0x808080u);
    EXPECT_EQ(c.At(1, 1), 0x000000u);
    EXPECT_EQ(c.At(6, 2), 0xFFFFFFu);
    // The 7 x 7 mark sits in the 9 x 9 white square.
    EXPECT_EQ(c.Row(5, 3, 10), "#...###");
    DrawFrameControl(c.dc(), &r, DFC_MENU, DFCS_MENUCHECK);
    EXPECT_EQ(c.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(c.Row(5, 3, 10), "#...###");
}

TEST(FrameControl, ScrollArrowPointsTheRightWay) {
    Canvas c(16, 16, 0x0000FF);
    RECT r{0, 0, 16, 16};
    DrawFrameControl(c.dc(), &r, DFC_SCROLL, DFCS_SCROLLDOWN);
    // The widest row of a down arrow is its top one.
    int firstRowWidth = -1, lastRowWidth = -1;
    for (int y = 0; y < 16; ++y) {
        int n = 0;
        for (int x = 0; x < 16; ++x) n += c.At(x, y) == 0 && x > 1 && x < 14 && y > 1 && y < 14;
        if (n && firstRowWidth < 0) firstRowWidth = n;
        if (n) lastRowWidth = n;
    }
    EXPECT_GT(firstRowWidth, lastRowWidth);
    EXPECT_EQ(lastRowWidth, 1);
}

}  // namespace
}  // namespace win32

namespace win32 {
namespace {

TEST(SysColorBrushes, FollowTheSchemeWhenItChanges) {
    testing::Canvas c(2, 1);
    INT index = 15;  // COLOR_BTNFACE
    COLORREF old = GetSysColor(index), pink = 0x8080FF;
    ASSERT_TRUE(SetSysColors(1, &index, &pink));
    RECT r{0, 0, 1, 1};
    FillRect(c.dc(), &r, GetSysColorBrush(index));
    EXPECT_EQ(c.At(0, 0), pink);
    SetSysColors(1, &index, &old);
    FillRect(c.dc(), &r, GetSysColorBrush(index));
    EXPECT_EQ(c.At(0, 0), old);
    EXPECT_EQ(GetSysColorBrush(99), nullptr);
}

}  // namespace
}  // namespace win32
