#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/wingdi.h"
#include "tests/platform/gdi/canvas.h"

namespace win32 {
namespace {

using testing::Canvas;

// The bounding box of every pixel that is not the background.
RECT Ink(const Canvas& c, int width, int height, COLORREF background = 0xFFFFFF) {
    RECT r{width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (c.At(x, y) == background) continue;
            r.left = std::min<LONG>(r.left, x);
            r.top = std::min<LONG>(r.top, y);
            r.right = std::max<LONG>(r.right, x + 1);
            r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    }
    return r;
}

HFONT Gothic(LONG height, const char* face = "ＭＳ Ｐゴシック") {
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, face);
}

class TextOutTest : public ::testing::Test {
protected:
    void SetUp() override {
        font_ = Gothic(-12);
        old_ = SelectObject(c_.dc(), font_);
        SetBkMode(c_.dc(), TRANSPARENT);
    }
    void TearDown() override {
        SelectObject(c_.dc(), old_);
        DeleteObject(font_);
    }
    static constexpr int kW = 120;
    static constexpr int kH = 40;
    Canvas c_{kW, kH};
    HFONT font_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

TEST_F(TextOutTest, InkStaysInsideTheCharacterCell) {
    ASSERT_TRUE(TextOutA(c_.dc(), 10, 5, "漢字", -1) == FALSE);  // -1 is not a count here
    ASSERT_TRUE(TextOutA(c_.dc(), 10, 5, "漢字", 6));
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32A(c_.dc(), "漢字", 6, &size));
    EXPECT_EQ(size.cy, 12);
    RECT ink = Ink(c_, kW, kH);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 10 + size.cx);
    EXPECT_GE(ink.top, 5);
    EXPECT_LE(ink.bottom, 5 + 12);
    EXPECT_GT(ink.right - ink.left, size.cx / 2);
}

TEST_F(TextOutTest, AlignmentMovesTheReferencePoint) {
    SIZE size{};
    GetTextExtentPoint32A(c_.dc(), "WWW", 3, &size);
    SetTextAlign(c_.dc(), TA_RIGHT | TA_BOTTOM);
    TextOutA(c_.dc(), 100, 30, "WWW", 3);
    RECT ink = Ink(c_, kW, kH);
    EXPECT_LE(ink.right, 100);
    EXPECT_GE(ink.left, 100 - size.cx);
    EXPECT_LE(ink.bottom, 30);
    EXPECT_GE(ink.top, 30 - 12);

    c_.Clear(0xFFFFFF);
    SetTextAlign(c_.dc(), TA_CENTER | TA_BASELINE);
    TextOutA(c_.dc(), 60, 20, "WWW", 3);
    ink = Ink(c_, kW, kH);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 60.0, 1.5);
    EXPECT_EQ(ink.bottom, 20);  // W sits on the baseline
    EXPECT_EQ(GetTextAlign(c_.dc()), TA_CENTER | TA_BASELINE);
}

TEST_F(TextOutTest, UpdateCpDrawsAtAndMovesTheCurrentPosition) {
    SIZE size{};
    GetTextExtentPoint32A(c_.dc(), "ab", 2, &size);
    SetTextAlign(c_.dc(), TA_UPDATECP);
    MoveToEx(c_.dc(), 7, 3, nullptr);
    TextOutA(c_.dc(), 90, 30, "ab", 2);
    POINT cp{};
    GetCurrentPositionEx(c_.dc(), &cp);
    EXPECT_EQ(cp.x, 7 + size.cx);
    EXPECT_EQ(cp.y, 3);
    RECT ink = Ink(c_, kW, kH);
    EXPECT_GE(ink.left, 7);
    EXPECT_LT(ink.bottom, 3 + 13);
}

TEST_F(TextOutTest, ClippedOpaqueAndSpacingArray) {
    SetBkColor(c_.dc(), 0x0000FF);
    RECT r{20, 10, 40, 30};
    ExtTextOutA(c_.dc(), 15, 10, ETO_OPAQUE | ETO_CLIPPED, &r, "漢字漢字", 12, nullptr);
    EXPECT_EQ(c_.At(20, 29), 0x0000FFu);
    EXPECT_EQ(c_.At(19, 12), 0xFFFFFFu);
    RECT ink = Ink(c_, kW, kH, 0xFFFFFF);
    EXPECT_EQ(ink, r);  // nothing escapes the rectangle

    // Spacing: one entry per byte; the advance sits on the first byte.
    c_.Clear(0xFFFFFF);
    std::vector<INT> dx = {30, 0, 0, 30, 0, 0};
    ExtTextOutA(c_.dc(), 0, 0, 0, nullptr, "ーー", 6, dx.data());
    RECT first = Ink(c_, 30, kH);
    RECT all = Ink(c_, kW, kH);
    EXPECT_LT(first.right, 30);
    EXPECT_GE(all.right, 30 + (first.right - first.left));
}

TEST_F(TextOutTest, OpaqueModeFillsTheCellBackground) {
    SetBkMode(c_.dc(), OPAQUE);
    SetBkColor(c_.dc(), 0x00FF00);
    TextOutA(c_.dc(), 0, 0, "a", 1);
    int width = 0;
    GetCharWidth32A(c_.dc(), 'a', 'a', &width);
    EXPECT_EQ(c_.At(0, 0), 0x00FF00u);
    EXPECT_EQ(c_.At(width - 1, 11), 0x00FF00u);
    EXPECT_EQ(c_.At(width, 0), 0xFFFFFFu);
    EXPECT_EQ(c_.At(0, 12), 0xFFFFFFu);
}

TEST_F(TextOutTest, MappingScalesTheFont) {
    TextOutA(c_.dc(), 0, 0, "漢", 3);
    RECT normal = Ink(c_, kW, kH);
    c_.Clear(0xFFFFFF);
    SetMapMode(c_.dc(), MM_ANISOTROPIC);
    SetWindowExtEx(c_.dc(), 1, 1, nullptr);
    SetViewportExtEx(c_.dc(), 2, 2, nullptr);
    TextOutA(c_.dc(), 0, 0, "漢", 3);
    RECT twice = Ink(c_, kW, kH);
    EXPECT_NEAR(twice.right - twice.left, 2 * (normal.right - normal.left), 2);
    EXPECT_NEAR(twice.bottom - twice.top, 2 * (normal.bottom - normal.top), 2);
    // Metrics stay in logical units.
    TEXTMETRICA tm{};
    GetTextMetricsA(c_.dc(), &tm);
    EXPECT_EQ(tm.tmHeight, 12);
}

TEST(TextOutMono, MonochromeTargetsGetOnlyBlackAndWhite) {
    Canvas c(40, 16, 0xFFFFFF, true);
    HFONT f = Gothic(-12);
    HGDIOBJ old = SelectObject(c.dc(), f);
    SetBkMode(c.dc(), TRANSPARENT);
    TextOutA(c.dc(), 0, 0, "漢字", 6);
    int black = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 40; ++x) {
            COLORREF p = c.At(x, y);
            ASSERT_TRUE(p == 0 || p == 0xFFFFFF);
            black += p == 0;
        }
    }
    EXPECT_GT(black, 20);
    SelectObject(c.dc(), old);
    DeleteObject(f);
}

TEST(TextMeasure, ExtentsWidthsFaceAndMetrics) {
    Canvas c(4, 4);
    HFONT f = Gothic(-12, "ＭＳ ゴシック");
    HGDIOBJ old = SelectObject(c.dc(), f);
    SIZE s{};
    ASSERT_TRUE(GetTextExtentPoint32A(c.dc(), "あいabc", 9, &s));
    EXPECT_EQ(s.cx, 2 * 12 + 3 * 6);
    int widths[3] = {};
    ASSERT_TRUE(GetCharWidth32A(c.dc(), 'a', 'c', widths));
    EXPECT_EQ(widths[2], 6);
    EXPECT_FALSE(GetCharWidth32A(c.dc(), 'c', 'a', widths));
    int fit = 0;
    std::vector<INT> dx(9);
    ASSERT_TRUE(GetTextExtentExPointA(c.dc(), "あいabc", 9, 30, &fit, dx.data(), &s));
    EXPECT_EQ(fit, 7);  // あい and a: 30 pixels, 7 bytes
    EXPECT_EQ(dx[2], 12);
    EXPECT_EQ(dx[8], 42);
    char face[LF_FACESIZE];
    EXPECT_EQ(GetTextFaceA(c.dc(), sizeof face, face), static_cast<int>(std::strlen("ＭＳ ゴシック")) + 1);
    EXPECT_STREQ(face, "ＭＳ ゴシック");
    // Truncated on a character boundary.
    char small[5];
    GetTextFaceA(c.dc(), sizeof small, small);
    EXPECT_STREQ(small, "Ｍ");
    SetTextCharacterExtra(c.dc(), 2);
    GetTextExtentPoint32A(c.dc(), "ab", 2, &s);
    EXPECT_EQ(s.cx, 16);
    SelectObject(c.dc(), old);
    DeleteObject(f);
}

TEST(TextMeasure, StockFontsAndFontObjects) {
    HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT);
    ASSERT_NE(gui, nullptr);
    EXPECT_EQ(GetObjectType(gui), OBJ_FONT);
    LOGFONTA lf{};
    ASSERT_EQ(GetObjectA(gui, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_STREQ(lf.lfFaceName, "MS UI Gothic");
    EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_NE(GetStockObject(SYSTEM_FONT), nullptr);
    EXPECT_NE(GetStockObject(ANSI_VAR_FONT), nullptr);
    EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
    // A made-up handle or DC fails softly.
    TEXTMETRICA tm{};
    EXPECT_FALSE(GetTextMetricsA(reinterpret_cast<HDC>(0x1234), &tm));
    EXPECT_FALSE(TextOutA(nullptr, 0, 0, "a", 1));
    Canvas c(4, 4);
    EXPECT_EQ(SelectObject(c.dc(), reinterpret_cast<HGDIOBJ>(0x4321)), nullptr);
}

int CollectFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM lp) {
    auto* names = reinterpret_cast<std::vector<std::string>*>(lp);
    if (type == TRUETYPE_FONTTYPE) names->push_back(lf->lfFaceName);
    return 1;
}

TEST(TextMeasure, EnumerationOffersTheJapaneseFaces) {
    Canvas c(4, 4);
    std::vector<std::string> names;
    LOGFONTA filter{};
    filter.lfCharSet = SHIFTJIS_CHARSET;
    EnumFontFamiliesExA(c.dc(), &filter, CollectFace, reinterpret_cast<LPARAM>(&names), 0);
    EXPECT_NE(std::find(names.begin(), names.end(), "ＭＳ Ｐゴシック"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "ＭＳ 明朝"), names.end());
    names.clear();
    std::strcpy(filter.lfFaceName, "ＭＳ ゴシック");
    filter.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(c.dc(), &filter, CollectFace, reinterpret_cast<LPARAM>(&names), 0);
    EXPECT_EQ(names, (std::vector<std::string>{"ＭＳ ゴシック", "ＭＳ ゴシック"}));
}

TEST(TextMeasure, InvalidUtf8AndEmptyTextAreHarmless) {
    Canvas c(60, 16);
    const char bad[] = "\xFF\xFE\xE3\x81\xC0\x80";
    EXPECT_TRUE(TextOutA(c.dc(), 0, 0, bad, 6));
    SIZE s{};
    EXPECT_TRUE(GetTextExtentPoint32A(c.dc(), bad, 6, &s));
    EXPECT_GT(s.cx, 0);
    EXPECT_TRUE(TextOutA(c.dc(), 0, 0, "", 0));
    EXPECT_TRUE(GetTextExtentPoint32A(c.dc(), nullptr, 0, &s));
    EXPECT_EQ(s.cx, 0);
    EXPECT_FALSE(GetTextExtentPoint32A(c.dc(), nullptr, 3, &s));
}

}  // namespace
}  // namespace win32
