#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/wingdi.h"
#include "tests/platform/gdi/canvas.h"

namespace win32 {
namespace {

using testing::Canvas;

class DrawTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        font_ = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ ゴシック");
        old_ = SelectObject(c_.dc(), font_);
        SetBkMode(c_.dc(), TRANSPARENT);
    }
    void TearDown() override {
        SelectObject(c_.dc(), old_);
        DeleteObject(font_);
    }
    bool RowHasInk(int y, int x0 = 0, int x1 = 200) const {
        for (int x = x0; x < x1; ++x)
            if (c_.At(x, y) != 0xFFFFFF) return true;
        return false;
    }
    bool AreaHasInk(int x0, int y0, int x1, int y1) const {
        for (int y = y0; y < y1; ++y)
            if (RowHasInk(y, x0, x1)) return true;
        return false;
    }
    Canvas c_{200, 80};
    HFONT font_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// The fixed Gothic is 12 high, half-width 6 and full-width 12 wide.
TEST_F(DrawTextTest, CalcRectWrapsJapaneseAndMovesRightAndBottom) {
    RECT r{10, 5, 10 + 60, 5};
    const int h = DrawTextA(c_.dc(), "あいうえおかきくけこさ", -1, &r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(h, 36);  // five per line: three lines
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right, 70);
    EXPECT_EQ(r.bottom, 5 + 36);
    // One line shrinks the rectangle to the text; a long word widens it.
    r = RECT{0, 0, 100, 0};
    DrawTextA(c_.dc(), "ab", -1, &r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.right, 12);
    EXPECT_EQ(r.bottom, 12);
    r = RECT{0, 0, 20, 0};
    DrawTextA(c_.dc(), "abcdefgh ij", -1, &r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(r.right, 48);
    EXPECT_EQ(r.bottom, 24);
    // Nothing to measure.
    r = RECT{3, 4, 50, 60};
    EXPECT_EQ(DrawTextA(c_.dc(), "", 0, &r, DT_CALCRECT), 0);
    EXPECT_EQ(r.right, 3);
    EXPECT_EQ(r.bottom, 4);
}

TEST_F(DrawTextTest, MenuMeasureTabsAndPrefixes) {
    // The measuring call of menu items: the "&" takes no width.
    RECT r{0, 0, 0, 0};
    DrawTextA(c_.dc(), " 開く(&O)", -1, &r, 0x464);
    EXPECT_EQ(r.right, 6 + 24 + 18);
    r = RECT{0, 0, 0, 0};
    DrawTextA(c_.dc(), "a\tb", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(r.right, 48 + 6);
    r = RECT{0, 0, 0, 0};
    DrawTextA(c_.dc(), "a&b", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(r.right, 18);
}

TEST_F(DrawTextTest, HintWindowMeasureUsesExternalLeadingAndBreaks) {
    RECT r{0, 0, 1024, 0};
    const int h = DrawTextA(c_.dc(), "一行目\r\n二行目\n三&行目", -1, &r, 0xE10);
    EXPECT_EQ(h, 36);
    EXPECT_EQ(r.right, 42);  // "三&行目" keeps its ampersand: the widest line
}

TEST_F(DrawTextTest, PrefixUnderlineIsDrawnUnlessHidden) {
    RECT r{0, 0, 100, 20};
    DrawTextA(c_.dc(), "a&bc", -1, &r, DT_SINGLELINE);
    // The underline runs under "b" only (x 6 to 12), in the cell's last rows.
    int underlineRow = -1;
    for (int y = 10; y < 12; ++y) {
        bool full = true;
        for (int x = 6; x < 12; ++x) full = full && c_.At(x, y) == 0;
        if (full) underlineRow = y;
    }
    ASSERT_GE(underlineRow, 0);
    EXPECT_NE(c_.At(5, underlineRow), 0u);
    EXPECT_NE(c_.At(12, underlineRow), 0u);

    c_.Clear(0xFFFFFF);
    DrawTextA(c_.dc(), "a&bc", -1, &r, DT_SINGLELINE | DT_HIDEPREFIX);
    bool solid = true;
    for (int x = 6; x < 12; ++x) solid = solid && c_.At(x, underlineRow) == 0;
    EXPECT_FALSE(solid);
}

TEST_F(DrawTextTest, EditControlLeavesOutAPartlyVisibleLastLine) {
    RECT r{0, 0, 100, 30};  // room for two lines and a half
    const int h = DrawTextA(c_.dc(), "上\n中\n下", -1, &r, DT_EDITCONTROL | DT_NOCLIP);
    EXPECT_EQ(h, 36);
    EXPECT_TRUE(AreaHasInk(0, 0, 20, 12));
    EXPECT_TRUE(AreaHasInk(0, 12, 20, 24));
    EXPECT_FALSE(AreaHasInk(0, 24, 20, 40));
    c_.Clear(0xFFFFFF);
    DrawTextA(c_.dc(), "上\n中\n下", -1, &r, DT_NOCLIP);
    EXPECT_TRUE(AreaHasInk(0, 24, 20, 36));
}

TEST_F(DrawTextTest, ClipsToTheRectangleUnlessNoClip) {
    RECT r{0, 0, 30, 12};
    DrawTextA(c_.dc(), "漢字漢字漢字", -1, &r, DT_SINGLELINE);
    EXPECT_FALSE(AreaHasInk(30, 0, 200, 20));
    c_.Clear(0xFFFFFF);
    DrawTextA(c_.dc(), "漢字漢字漢字", -1, &r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_TRUE(AreaHasInk(30, 0, 200, 20));
}

TEST_F(DrawTextTest, CentredVerticallyAndHorizontally) {
    RECT r{0, 0, 100, 40};
    const int h = DrawTextA(c_.dc(), "漢", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    EXPECT_EQ(h, 14 + 12);
    EXPECT_FALSE(AreaHasInk(0, 0, 100, 14));
    EXPECT_FALSE(AreaHasInk(0, 0, 44, 40));
    EXPECT_TRUE(AreaHasInk(44, 14, 56, 26));
    EXPECT_FALSE(AreaHasInk(56, 0, 100, 40));
}

TEST_F(DrawTextTest, EllipsisAndBadArguments) {
    RECT r{0, 0, 40, 12};
    RECT calc = r;
    DrawTextA(c_.dc(), "abcdefghijkl", -1, &calc, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(calc.right, 40);
    EXPECT_EQ(DrawTextA(c_.dc(), "abc", 3, nullptr, 0), 0);
    EXPECT_EQ(DrawTextA(c_.dc(), nullptr, 3, &r, 0), 0);
    EXPECT_EQ(DrawTextA(nullptr, "abc", 3, &r, 0), 0);
    EXPECT_EQ(DrawTextA(c_.dc(), "abc", -5, &r, 0), 0);
    RECT inside{50, 50, 10, 10};
    // An inside-out rectangle: one word stays whole on its line.
    EXPECT_EQ(DrawTextA(c_.dc(), "abc", 3, &inside, DT_WORDBREAK), 12);
    EXPECT_EQ(DrawTextA(c_.dc(), "a b c", 5, &inside, DT_WORDBREAK), 36);
    const char bad[] = "\xE3\x81\xFF\xC2";
    RECT b{0, 0, 100, 20};
    EXPECT_EQ(DrawTextA(c_.dc(), bad, 4, &b, DT_SINGLELINE), 12);
}

}  // namespace
}  // namespace win32
