#include <gtest/gtest.h>

#include "platform/gdi/raster_ops.h"
#include "platform/gdi/wingdi.h"
#include "tests/platform/gdi/canvas.h"

namespace win32 {
namespace {

using testing::Canvas;

TEST(RasterOps, EveryTernaryOperationFollowsItsTruthTable) {
    const Pixel p = 0x00F0F0F0 ^ 0x00123456, s = 0x00CCCCCC ^ 0x00654321, d = 0x00AAAAAA ^ 0x000F0F0F;
    for (unsigned rop = 0; rop < 256; ++rop) {
        Pixel dst = d;
        gdi::RopRow(static_cast<std::uint8_t>(rop))(&dst, &s, &p, 1);
        ASSERT_EQ(dst, gdi::ApplyRop(static_cast<std::uint8_t>(rop), p, s, d)) << rop;
    }
    EXPECT_EQ(gdi::ApplyRop(0xCC, p, s, d), s);
    EXPECT_EQ(gdi::ApplyRop(0x5A, p, s, d), (p ^ d));
    EXPECT_EQ(gdi::Rop3FromRop2(R2_COPYPEN), 0xF0);
    EXPECT_EQ(gdi::Rop3FromRop2(R2_XORPEN), 0x5A);
    EXPECT_EQ(gdi::Rop3FromRop2(R2_NOT), 0x55);
    EXPECT_EQ(gdi::Rop3FromRop2(R2_NOP), 0xAA);
}

TEST(Drawing, FillRectAndInsideOutAndHugeRectangles) {
    Canvas c(6, 3);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RECT r{1, 0, 3, 1};
    FillRect(c.dc(), &r, black);
    EXPECT_EQ(c.Row(0), ".##...");
    RECT huge{-2000000000, 1, 2000000000, 2};
    FillRect(c.dc(), &huge, black);
    EXPECT_EQ(c.Row(1), "######");
    RECT empty{3, 2, 3, 3};
    FillRect(c.dc(), &empty, black);
    EXPECT_EQ(c.Row(2), "......");
    // A system colour index + 1 stands for its brush.
    RECT one{0, 2, 1, 3};
    FillRect(c.dc(), &one, reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(16 + 1)));
    EXPECT_EQ(c.At(0, 2), 0x808080u);
}

TEST(Drawing, PatInvertTwiceRestoresTheScreen) {
    Canvas c(16, 4, 0x336699);
    SetPixel(c.dc(), 3, 1, 0x010203);
    const WORD rows[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    HBITMAP bmp = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH checker = CreatePatternBrush(bmp);
    HGDIOBJ old = SelectObject(c.dc(), checker);
    PatBlt(c.dc(), 0, 0, 16, 4, PATINVERT);
    // 0x55 = 01010101: the white (1) bits of the pattern flip the pixels.
    EXPECT_EQ(c.At(0, 0), 0x336699u);
    EXPECT_EQ(c.At(1, 0), 0x336699u ^ 0xFFFFFFu);
    EXPECT_EQ(c.At(0, 1), 0x336699u ^ 0xFFFFFFu);
    PatBlt(c.dc(), 0, 0, 16, 4, PATINVERT);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 16; ++x) EXPECT_EQ(c.At(x, y), (x == 3 && y == 1) ? 0x010203u : 0x336699u);
    SelectObject(c.dc(), old);
    DeleteObject(checker);
    DeleteObject(bmp);
}

TEST(Drawing, PatternBrushFollowsTheBrushOrigin) {
    Canvas c(8, 2);
    c.Legend(0x0000FF, 'r');
    HBITMAP bmp = CreateBitmap(4, 1, 1, 32, nullptr);
    {
        HDC m = CreateCompatibleDC(nullptr);
        HGDIOBJ o = SelectObject(m, bmp);
        PatBlt(m, 0, 0, 4, 1, WHITENESS);
        SetPixel(m, 0, 0, 0x0000FF);
        SelectObject(m, o);
        DeleteDC(m);
    }
    HBRUSH pat = CreatePatternBrush(bmp);
    RECT row0{0, 0, 8, 1}, row1{0, 1, 8, 2};
    FillRect(c.dc(), &row0, pat);
    EXPECT_EQ(c.Row(0), "r...r...");
    SetBrushOrgEx(c.dc(), 2, 0, nullptr);
    FillRect(c.dc(), &row1, pat);
    EXPECT_EQ(c.Row(1), "..r...r.");
    // A window origin moves the drawing, not the pattern's anchor.
    DeleteObject(pat);
    DeleteObject(bmp);
}

TEST(Drawing, HatchBrushesAndTransparentBackground) {
    Canvas c(8, 8, 0x00FF00);
    c.Legend(0x00FF00, 'g');
    HBRUSH h = CreateHatchBrush(HS_HORIZONTAL, 0x000000);
    RECT r{0, 0, 8, 8};
    SetBkMode(c.dc(), TRANSPARENT);
    FillRect(c.dc(), &r, h);
    EXPECT_EQ(c.Row(4), "########");
    EXPECT_EQ(c.Row(3), "gggggggg");
    SetBkMode(c.dc(), OPAQUE);
    FillRect(c.dc(), &r, h);
    EXPECT_EQ(c.Row(3), "........");
    DeleteObject(h);
}

TEST(Drawing, MonochromeToColourUsesTextAndBackgroundColours) {
    Canvas mono(4, 1, 0xFFFFFF, true);
    SetPixel(mono.dc(), 1, 0, 0x000000);
    Canvas c(4, 1, 0x00FF00);
    c.Legend(0x0000FF, 'r');
    c.Legend(0xFF0000, 'b');
    SetTextColor(c.dc(), 0x0000FF);  // 0 bits
    SetBkColor(c.dc(), 0xFF0000);    // 1 bits
    BitBlt(c.dc(), 0, 0, 4, 1, mono.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(c.Row(0), "brbb");
}

TEST(Drawing, ColourToMonochromeMakesTheBackgroundColourWhite) {
    Canvas c(4, 1, 0x808080);
    SetPixel(c.dc(), 2, 0, 0xFFFFFF);
    SetPixel(c.dc(), 3, 0, 0x000000);
    Canvas mono(4, 1, 0x000000, true);
    SetBkColor(c.dc(), 0x808080);
    BitBlt(mono.dc(), 0, 0, 4, 1, c.dc(), 0, 0, SRCCOPY);
    // Only pixels equal to the source's background colour become 1.
    EXPECT_EQ(mono.Row(0), "..##");
}

TEST(Drawing, EmbossOfAMonochromeMaskWithDSPDxax) {
    // The mask: a 2 x 2 white square in black; 0x00E20746 paints the brush
    // where the mask is 1 (white) and keeps the target where it is 0.
    Canvas mask(4, 4, 0x000000, true);
    RECT sq{1, 1, 3, 3};
    FillRect(mask.dc(), &sq, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    Canvas c(5, 5, 0xC0C0C0);
    c.Legend(0xC0C0C0, 'f');
    c.Legend(0x808080, 's');
    SetTextColor(c.dc(), 0x000000);
    SetBkColor(c.dc(), 0xFFFFFF);
    HBRUSH hi = CreateSolidBrush(0xFFFFFF), sh = CreateSolidBrush(0x808080);
    HGDIOBJ old = SelectObject(c.dc(), hi);
    BitBlt(c.dc(), 1, 1, 4, 4, mask.dc(), 0, 0, 0x00E20746);
    SelectObject(c.dc(), sh);
    BitBlt(c.dc(), 0, 0, 4, 4, mask.dc(), 0, 0, 0x00E20746);
    SelectObject(c.dc(), old);
    EXPECT_EQ(c.Row(0), "fffff");
    EXPECT_EQ(c.Row(1), "fssff");
    EXPECT_EQ(c.Row(2), "fss.f");
    EXPECT_EQ(c.Row(3), "ff..f");
    EXPECT_EQ(c.Row(4), "fffff");
    DeleteObject(hi);
    DeleteObject(sh);
}

TEST(Drawing, BitBltWithinOneSurfaceOverlapping) {
    Canvas c(6, 1);
    SetPixel(c.dc(), 0, 0, 0);
    SetPixel(c.dc(), 1, 0, 0);
    BitBlt(c.dc(), 1, 0, 5, 1, c.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(c.Row(0), "###...");
    BitBlt(c.dc(), 0, 0, 5, 1, c.dc(), 1, 0, SRCCOPY);
    EXPECT_EQ(c.Row(0), "##....");
}

TEST(Drawing, BitBltClipsToTheSourceBitmap) {
    Canvas src(2, 2, 0x000000);
    Canvas c(4, 4);
    BitBlt(c.dc(), 0, 0, 4, 4, src.dc(), -1, -1, SRCCOPY);
    EXPECT_EQ(c.Row(0), "....");
    EXPECT_EQ(c.Row(1), ".##.");
    EXPECT_EQ(c.Row(3), "....");
    EXPECT_TRUE(BitBlt(c.dc(), 0, 0, 0, 0, src.dc(), 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(c.dc(), 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(c.dc(), 0, 0, 2, 2, nullptr, 0, 0, WHITENESS));
}

TEST(Drawing, StretchBltDoublesAndMirrors) {
    Canvas src(2, 1);
    SetPixel(src.dc(), 0, 0, 0);
    Canvas c(4, 2);
    StretchBlt(c.dc(), 0, 0, 4, 1, src.dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(c.Row(0), "##..");
    // A negative width counts back from the origin pixel, which is included.
    StretchBlt(c.dc(), 3, 1, -4, 1, src.dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(c.Row(1), "..##");
}

TEST(Drawing, TransparentBltSkipsTheKeyColour) {
    Canvas src(3, 1, 0x800080);
    SetPixel(src.dc(), 1, 0, 0);
    Canvas c(3, 1);
    TransparentBlt(c.dc(), 0, 0, 3, 1, src.dc(), 0, 0, 3, 1, 0x800080);
    EXPECT_EQ(c.Row(0), ".#.");
}

TEST(Lines, TheLastPixelIsLeftOut) {
    Canvas c(6, 6);
    MoveToEx(c.dc(), 0, 0, nullptr);
    LineTo(c.dc(), 4, 0);
    EXPECT_EQ(c.Row(0), "####..");
    POINT pos;
    GetCurrentPositionEx(c.dc(), &pos);
    EXPECT_EQ(pos, (POINT{4, 0}));
    MoveToEx(c.dc(), 0, 1, nullptr);
    LineTo(c.dc(), 4, 5);
    EXPECT_EQ(c.At(0, 1), 0u);
    EXPECT_EQ(c.At(3, 4), 0u);
    EXPECT_EQ(c.At(4, 5), 0xFFFFFFu);
    // A line with no length draws nothing.
    c.Clear(0xFFFFFF);
    MoveToEx(c.dc(), 2, 2, nullptr);
    LineTo(c.dc(), 2, 2);
    EXPECT_EQ(c.At(2, 2), 0xFFFFFFu);
}

TEST(Lines, XorPenClosedFigureHasNoDoubledCorners) {
    Canvas c(5, 5);
    SetROP2(c.dc(), R2_XORPEN);
    HPEN white = static_cast<HPEN>(GetStockObject(WHITE_PEN));
    SelectObject(c.dc(), white);
    POINT pts[5] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}};
    Polyline(c.dc(), pts, 5);
    EXPECT_EQ(c.Row(0), "#####");
    EXPECT_EQ(c.Row(2), "#...#");
    EXPECT_EQ(c.Row(4), "#####");
}

TEST(Lines, HugeCoordinatesCostNothingAndDrawTheVisiblePart) {
    Canvas c(4, 2);
    MoveToEx(c.dc(), -2000000000, 1, nullptr);
    LineTo(c.dc(), 2000000000, 1);
    EXPECT_EQ(c.Row(1), "####");
}

TEST(Lines, DottedPenAndWidePen) {
    Canvas c(12, 7);
    HPEN dot = CreatePen(PS_DOT, 1, 0);
    HGDIOBJ old = SelectObject(c.dc(), dot);
    SetBkMode(c.dc(), TRANSPARENT);
    MoveToEx(c.dc(), 0, 0, nullptr);
    LineTo(c.dc(), 12, 0);
    EXPECT_EQ(c.Row(0), "###...###...");
    HPEN wide = CreatePen(PS_SOLID, 3, 0);
    SelectObject(c.dc(), wide);
    MoveToEx(c.dc(), 3, 4, nullptr);
    LineTo(c.dc(), 8, 4);
    EXPECT_EQ(c.Row(3), "..########..");
    EXPECT_EQ(c.Row(4), "..########..");
    EXPECT_EQ(c.Row(5), "..########..");
    SelectObject(c.dc(), old);
    DeleteObject(dot);
    DeleteObject(wide);
}

TEST(Shapes, RectangleAndPolygonPixelRules) {
    Canvas c(6, 6, 0x00FF00);
    c.Legend(0x00FF00, 'g');
    Rectangle(c.dc(), 0, 0, 4, 4);
    EXPECT_EQ(c.Row(0), "####gg");
    EXPECT_EQ(c.Row(1), "#..#gg");
    EXPECT_EQ(c.Row(3), "####gg");
    EXPECT_EQ(c.Row(4), "gggggg");
    // Without a pen the filled area is one pixel smaller.
    c.Clear(0x00FF00);
    SelectObject(c.dc(), GetStockObject(NULL_PEN));
    Rectangle(c.dc(), 4, 4, 0, 0);
    EXPECT_EQ(c.Row(2), "...ggg");
    EXPECT_EQ(c.Row(3), "gggggg");
    // A polygon without a pen fills the pixels whose centres are inside.
    c.Clear(0x00FF00);
    SelectObject(c.dc(), GetStockObject(BLACK_BRUSH));
    POINT tri[3] = {{0, 0}, {4, 0}, {0, 4}};
    Polygon(c.dc(), tri, 3);
    EXPECT_EQ(c.Row(0), "###ggg");
    EXPECT_EQ(c.Row(1), "##gggg");
    EXPECT_EQ(c.Row(2), "#ggggg");
    EXPECT_EQ(c.Row(3), "gggggg");
}

TEST(Drawing, StretchModesWhenShrinking) {
    Canvas src(4, 1);
    SetPixel(src.dc(), 0, 0, 0);
    SetPixel(src.dc(), 3, 0, 0);  // "#..#"
    Canvas c(2, 1, 0x00FF00);
    // Black on white keeps the black pixels (AND), white on black the white
    // ones (OR).
    SetStretchBltMode(c.dc(), BLACKONWHITE);
    StretchBlt(c.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(c.Row(0), "##");
    SetStretchBltMode(c.dc(), WHITEONBLACK);
    StretchBlt(c.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(c.Row(0), "..");
    EXPECT_EQ(SetStretchBltMode(c.dc(), 0), 0);
}

TEST(Drawing, DcBrushAndDcPenFollowTheirColours) {
    Canvas c(4, 2);
    c.Legend(0x0000FF, 'r');
    c.Legend(0x00FF00, 'g');
    SelectObject(c.dc(), GetStockObject(DC_BRUSH));
    SelectObject(c.dc(), GetStockObject(DC_PEN));
    SetDCBrushColor(c.dc(), 0x0000FF);
    SetDCPenColor(c.dc(), 0x00FF00);
    PatBlt(c.dc(), 0, 0, 4, 1, PATCOPY);
    EXPECT_EQ(c.Row(0), "rrrr");
    MoveToEx(c.dc(), 0, 1, nullptr);
    LineTo(c.dc(), 3, 1);
    EXPECT_EQ(c.Row(1), "ggg.");
}

TEST(Drawing, MaskBltChoosesPerPixel) {
    Canvas src(3, 1, 0x000000);
    Canvas c(3, 1);
    const WORD bits[1] = {0x00A0};  // 101
    HBITMAP mask = CreateBitmap(3, 1, 1, 1, bits);
    // Foreground (mask 1): the source; background (mask 0): the target.
    MaskBlt(c.dc(), 0, 0, 3, 1, src.dc(), 0, 0, mask, 0, 0, MAKEROP4(SRCCOPY, 0x00AA0029));
    EXPECT_EQ(c.Row(0), "#.#");
    DeleteObject(mask);
}

TEST(Drawing, MonochromeTargetsTakeTheNearestOfBlackAndWhite) {
    Canvas mono(3, 1, 0x000000, true);
    EXPECT_EQ(SetPixel(mono.dc(), 0, 0, 0x808080), 0xFFFFFFu);
    EXPECT_EQ(SetPixel(mono.dc(), 1, 0, 0x7F7F7F), 0x000000u);
    HBRUSH yellow = CreateSolidBrush(0x00FFFF);
    RECT r{2, 0, 3, 1};
    FillRect(mono.dc(), &r, yellow);
    EXPECT_EQ(mono.At(2, 0), 0xFFFFFFu);
    DeleteObject(yellow);
}

TEST(Shapes, WindingAndAlternateFill) {
    // Two overlapping squares drawn in the same direction.
    POINT pts[8] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {2, 0}, {6, 0}, {6, 4}, {2, 4}};
    INT counts[2] = {4, 4};
    Canvas c(6, 1);
    SelectObject(c.dc(), GetStockObject(NULL_PEN));
    SelectObject(c.dc(), GetStockObject(BLACK_BRUSH));
    PolyPolygon(c.dc(), pts, counts, 2);
    EXPECT_EQ(c.Row(0), "##..##");
    c.Clear(0xFFFFFF);
    SetPolyFillMode(c.dc(), WINDING);
    PolyPolygon(c.dc(), pts, counts, 2);
    EXPECT_EQ(c.Row(0), "######");
    INT bad[1] = {1};
    EXPECT_FALSE(PolyPolygon(c.dc(), pts, bad, 1));
    EXPECT_FALSE(Polygon(c.dc(), pts, 1));
    EXPECT_FALSE(Polyline(c.dc(), nullptr, 3));
}

TEST(Shapes, EllipseStaysInsideItsBox) {
    Canvas c(8, 6, 0x00FF00);
    c.Legend(0x00FF00, 'g');
    Ellipse(c.dc(), 0, 0, 8, 6);
    EXPECT_EQ(c.Row(0), "gg####gg");
    EXPECT_EQ(c.Row(2), "#......#");
    EXPECT_EQ(c.Row(5), "gg####gg");
    EXPECT_EQ(c.Column(0), "gg##gg");
}

// Shapes far larger than the surface cost only the part that can show; a
// huge ellipse once tried to allocate a row table for all its rows.
TEST(Shapes, HugeEllipsesAndPensDrawOnlyWhatShows) {
    Canvas c(8, 6, 0x00FF00);
    c.Legend(0x00FF00, 'g');
    // A circle around the canvas that is drawn with a brush: all inside.
    SelectObject(c.dc(), GetStockObject(NULL_PEN));
    SelectObject(c.dc(), GetStockObject(BLACK_BRUSH));
    EXPECT_TRUE(Ellipse(c.dc(), -100000000, -100000000, 100000000, 100000000));
    EXPECT_EQ(c.Row(0), "########");
    EXPECT_EQ(c.Row(5), "########");
    // Its outline passes far away, so with a pen and a hollow brush nothing shows.
    c.Clear(0x00FF00);
    SelectObject(c.dc(), GetStockObject(BLACK_PEN));
    SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(Ellipse(c.dc(), -100000000, -100000000, 100000000, 100000000));
    EXPECT_EQ(c.Row(0), "gggggggg");
    // A pen wider than the canvas covers it whole from a short line.
    HPEN wide = CreatePen(PS_SOLID, 20000, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(c.dc(), wide);
    MoveToEx(c.dc(), 0, 3, nullptr);
    LineTo(c.dc(), 40, 3);
    EXPECT_EQ(c.Row(0), "########");
    EXPECT_EQ(c.Row(5), "########");
    SelectObject(c.dc(), old);
    DeleteObject(wide);
}

TEST(Mapping, AnisotropicScalingMapsEveryPrimitive) {
    Canvas c(20, 20);
    SetMapMode(c.dc(), MM_ANISOTROPIC);
    SetWindowExtEx(c.dc(), 10, 10, nullptr);
    SetViewportExtEx(c.dc(), 20, 20, nullptr);
    SetWindowOrgEx(c.dc(), 5, 5, nullptr);
    RECT r{5, 5, 7, 6};
    FillRect(c.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(c.Row(0, 0, 6), "####..");
    EXPECT_EQ(c.Row(1, 0, 6), "####..");
    EXPECT_EQ(c.Row(2, 0, 6), "......");
    POINT p{6, 6};
    LPtoDP(c.dc(), &p, 1);
    EXPECT_EQ(p, (POINT{2, 2}));
    DPtoLP(c.dc(), &p, 1);
    EXPECT_EQ(p, (POINT{6, 6}));
    RECT box;
    GetClipBox(c.dc(), &box);
    EXPECT_EQ(box, (RECT{5, 5, 15, 15}));
    // Isotropic keeps one unit equally long on both axes.
    SetMapMode(c.dc(), MM_ISOTROPIC);
    SetWindowExtEx(c.dc(), 10, 10, nullptr);
    SetViewportExtEx(c.dc(), 20, 40, nullptr);
    SIZE v;
    GetViewportExtEx(c.dc(), &v);
    EXPECT_EQ(v.cx, 20);
    EXPECT_EQ(v.cy, 20);
    // MM_TEXT ignores extents.
    SetMapMode(c.dc(), MM_TEXT);
    EXPECT_TRUE(SetWindowExtEx(c.dc(), 3, 3, nullptr));
    GetWindowExtEx(c.dc(), &v);
    EXPECT_EQ(v.cx, 1);
}

TEST(Mapping, PenWidthsScaleExceptWidthZero) {
    Canvas c(12, 12);
    SetMapMode(c.dc(), MM_ANISOTROPIC);
    SetWindowExtEx(c.dc(), 1, 1, nullptr);
    SetViewportExtEx(c.dc(), 3, 3, nullptr);
    HPEN one = CreatePen(PS_SOLID, 1, 0);
    HGDIOBJ old = SelectObject(c.dc(), one);
    MoveToEx(c.dc(), 0, 1, nullptr);
    LineTo(c.dc(), 4, 1);
    EXPECT_EQ(c.Column(5, 0, 6), "..###.");
    HPEN zero = CreatePen(PS_SOLID, 0, 0);
    SelectObject(c.dc(), zero);
    MoveToEx(c.dc(), 0, 3, nullptr);
    LineTo(c.dc(), 4, 3);
    EXPECT_EQ(c.Column(5, 7, 12), "..#..");
    SelectObject(c.dc(), old);
    DeleteObject(one);
    DeleteObject(zero);
}

TEST(Mapping, ScaledBitBltStretches) {
    Canvas src(2, 2, 0x000000);
    Canvas c(8, 8);
    SetMapMode(c.dc(), MM_ANISOTROPIC);
    SetWindowExtEx(c.dc(), 1, 1, nullptr);
    SetViewportExtEx(c.dc(), 2, 2, nullptr);
    BitBlt(c.dc(), 1, 1, 2, 2, src.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(c.Row(1), "........");
    EXPECT_EQ(c.Row(2), "..####..");
    EXPECT_EQ(c.Row(5), "..####..");
    EXPECT_EQ(c.Row(6), "........");
}

}  // namespace
}  // namespace win32
