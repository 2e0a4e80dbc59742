#include <gtest/gtest.h>

#include "platform/gdi/wingdi.h"
#include "tests/platform/gdi/canvas.h"

namespace win32 {
namespace {

using testing::Canvas;

TEST(DcState, SaveAndRestoreNestedAndNegative) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, 0x000001);
    EXPECT_EQ(SaveDC(dc), 1);
    SetTextColor(dc, 0x000002);
    EXPECT_EQ(SaveDC(dc), 2);
    SetTextColor(dc, 0x000003);
    EXPECT_EQ(SaveDC(dc), 3);
    SetTextColor(dc, 0x000004);

    EXPECT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetTextColor(dc), 0x000003u);
    // Restoring to level 1 drops level 2 as well.
    EXPECT_TRUE(RestoreDC(dc, 1));
    EXPECT_EQ(GetTextColor(dc), 0x000001u);
    EXPECT_FALSE(RestoreDC(dc, -1));
    EXPECT_FALSE(RestoreDC(dc, 1));
    EXPECT_FALSE(RestoreDC(dc, 0));
    DeleteDC(dc);
}

TEST(DcState, RestoreBringsBackObjectsClipAndMapping) {
    Canvas c(10, 10);
    HBRUSH red = CreateSolidBrush(0x0000FF);
    int level = SaveDC(c.dc());
    HGDIOBJ old = SelectObject(c.dc(), red);
    EXPECT_EQ(old, GetStockObject(WHITE_BRUSH));
    IntersectClipRect(c.dc(), 0, 0, 2, 2);
    SetViewportOrgEx(c.dc(), 5, 5, nullptr);
    RestoreDC(c.dc(), level);
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    RECT box;
    EXPECT_EQ(GetClipBox(c.dc(), &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 0, 10, 10}));
    POINT org;
    GetViewportOrgEx(c.dc(), &org);
    EXPECT_EQ(org, (POINT{0, 0}));
    EXPECT_TRUE(DeleteObject(red));
}

TEST(DcState, StaleAndMadeUpHandlesFail) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
    EXPECT_FALSE(PatBlt(dc, 0, 0, 1, 1, PATCOPY));
    EXPECT_EQ(SaveDC(dc), 0);
    EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), nullptr);
    RECT r{0, 0, 1, 1};
    EXPECT_EQ(FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);

    HBRUSH b = CreateSolidBrush(0);
    ASSERT_TRUE(DeleteObject(b));
    EXPECT_FALSE(DeleteObject(b));
    EXPECT_EQ(GetObjectType(b), 0u);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(0x12345)), 0u);
    EXPECT_EQ(SelectObject(reinterpret_cast<HDC>(0x3000001), b), nullptr);
}

TEST(DcState, StockObjectsSurviveDeletion) {
    HGDIOBJ black = GetStockObject(BLACK_BRUSH);
    EXPECT_TRUE(DeleteObject(black));
    EXPECT_EQ(GetObjectType(black), OBJ_BRUSH);
    LOGBRUSH lb{};
    EXPECT_EQ(GetObjectA(black, sizeof(lb), &lb), static_cast<int>(sizeof(lb)));
    EXPECT_EQ(lb.lbColor, 0u);
    EXPECT_EQ(GetStockObject(99), nullptr);
}

TEST(DcState, DeletingASelectedObjectWaitsUntilItIsDeselected) {
    Canvas c(4, 4);
    HBRUSH b = CreateSolidBrush(0x00FF00);
    SelectObject(c.dc(), b);
    EXPECT_TRUE(DeleteObject(b));
    // Still usable while selected.
    EXPECT_TRUE(PatBlt(c.dc(), 0, 0, 1, 1, PATCOPY));
    EXPECT_EQ(c.At(0, 0), 0x00FF00u);
    SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetObjectType(b), 0u);
}

TEST(DcState, MemoryDcStartsMonochromeSoCompatibleBitmapsAreToo) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(dc, 8, 8);
    BITMAP bm{};
    ASSERT_EQ(GetObjectA(bmp, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidthBytes, 2);
    DeleteObject(bmp);
    DeleteDC(dc);
}

TEST(DcState, ABitmapIsSelectedIntoOneDcAtATime) {
    HDC a = CreateCompatibleDC(nullptr);
    HDC b = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateBitmap(4, 4, 1, 32, nullptr);
    EXPECT_NE(SelectObject(a, bmp), nullptr);
    EXPECT_EQ(SelectObject(b, bmp), nullptr);
    DeleteDC(a);
    EXPECT_NE(SelectObject(b, bmp), nullptr);
    DeleteDC(b);
    EXPECT_TRUE(DeleteObject(bmp));
}

TEST(DcState, BadSizesGiveWin32Results) {
    EXPECT_EQ(CreateBitmap(-1, 4, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(100000, 100000, 1, 32, nullptr), nullptr);
    // A zero size gives a 1 x 1 monochrome bitmap.
    HBITMAP z = CreateBitmap(0, 0, 1, 32, nullptr);
    BITMAP bm{};
    GetObjectA(z, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    DeleteObject(z);
    EXPECT_EQ(CreatePen(7, 1, 0), nullptr);
    EXPECT_EQ(CreateHatchBrush(17, 0), nullptr);
}

TEST(DcState, ClipRegionsThroughHrgn) {
    Canvas c(10, 10);
    HRGN a = CreateRectRgn(0, 0, 4, 4);
    HRGN b = CreateRectRgn(2, 2, 6, 6);
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(r, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(r, 0, 0));
    EXPECT_FALSE(PtInRegion(r, 3, 3));
    RECT in{3, 3, 4, 4};
    EXPECT_FALSE(RectInRegion(r, &in));
    EXPECT_EQ(CombineRgn(r, a, b, RGN_AND), SIMPLEREGION);
    RECT box;
    GetRgnBox(r, &box);
    EXPECT_EQ(box, (RECT{2, 2, 4, 4}));
    EXPECT_EQ(CombineRgn(r, a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_EQ(CombineRgn(r, a, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_EQ(OffsetRgn(r, 10, 10), SIMPLEREGION);
    GetRgnBox(r, &box);
    EXPECT_EQ(box, (RECT{10, 10, 14, 14}));
    EXPECT_EQ(CombineRgn(r, a, b, 99), ERROR);

    // Clip to a, then exclude b: painting reaches only a - b.
    SelectClipRgn(c.dc(), a);
    // The DC keeps its own copy.
    OffsetRgn(a, 5, 5);
    ExcludeClipRect(c.dc(), 2, 2, 6, 6);
    PatBlt(c.dc(), 0, 0, 10, 10, BLACKNESS);
    EXPECT_EQ(c.Row(0), "####......");
    EXPECT_EQ(c.Row(3), "##........");
    EXPECT_EQ(GetClipBox(c.dc(), &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{0, 0, 4, 4}));
    SelectClipRgn(c.dc(), nullptr);
    FillRgn(c.dc(), b, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(c.Row(3), "######....");
    InvertRgn(c.dc(), b);
    EXPECT_EQ(c.Row(3), "##........");
    c.Clear(0xFFFFFF);
    HRGN big = CreateRectRgn(1, 1, 6, 6);
    FrameRgn(c.dc(), big, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), 1, 1);
    EXPECT_EQ(c.Row(1), ".#####....");
    EXPECT_EQ(c.Row(2), ".#...#....");
    for (HRGN h : {a, b, r, big}) DeleteObject(h);
}

}  // namespace
}  // namespace win32
