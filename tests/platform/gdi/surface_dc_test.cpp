#include <gtest/gtest.h>

#include "platform/gdi/surface_dc.h"
#include "platform/gdi/wingdi.h"

namespace win32 {
namespace {

// A window DC as the window system hands it out: device (0, 0) at the
// window's origin in its top-level's surface, drawing limited to the
// visible region.
class WindowDcTest : public ::testing::Test {
protected:
    WindowDcTest() : surface(20, 10) {
        surface.Fill(0xFFFFFF);
        surface.TakeDirty();
        dc = gdi::CreateSurfaceDC();
        Region visible(RECT{5, 2, 15, 8});
        visible.Subtract(RECT{10, 2, 15, 5});  // a sibling covers this part
        gdi::BindSurfaceDC(dc, &surface, POINT{5, 2}, visible);
    }
    ~WindowDcTest() override { gdi::DeleteSurfaceDC(dc); }
    Surface surface;
    HDC dc;
};

TEST_F(WindowDcTest, DrawsAtTheOriginInsideTheVisibleRegionAndMarksDirty) {
    EXPECT_EQ(gdi::SurfaceOfDC(dc), &surface);
    EXPECT_EQ(GetObjectType(dc), OBJ_DC);
    RECT all{-100, -100, 100, 100};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(surface.At(5, 2), 0u);
    EXPECT_EQ(surface.At(4, 2), 0xFFFFFFu);
    EXPECT_EQ(surface.At(12, 3), 0xFFFFFFu);  // covered by the sibling
    EXPECT_EQ(surface.At(12, 6), 0u);
    EXPECT_EQ(surface.At(14, 7), 0u);
    EXPECT_EQ(surface.At(15, 7), 0xFFFFFFu);
    EXPECT_EQ(surface.TakeDirty(), (RECT{5, 2, 15, 8}));
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{0, 0, 10, 6}));
    // The application's clip is relative to the window and narrows further.
    IntersectClipRect(dc, 0, 0, 1, 1);
    EXPECT_EQ(SetPixel(dc, 1, 1, 0x0000FF), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, 0, 0), 0u);
}

TEST_F(WindowDcTest, WindowDcsTakeNoBitmapsAndResetToDefaults) {
    HBITMAP b = CreateBitmap(2, 2, 1, 32, nullptr);
    EXPECT_EQ(SelectObject(dc, b), nullptr);
    EXPECT_FALSE(DeleteDC(dc));  // window DCs go back to the window system
    SetTextColor(dc, 0x123456);
    SaveDC(dc);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    EXPECT_TRUE(gdi::ResetSurfaceDC(dc));
    EXPECT_EQ(GetTextColor(dc), 0u);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_FALSE(RestoreDC(dc, -1));
    DeleteObject(b);
}

TEST_F(WindowDcTest, ScrollingWithinTheSurface) {
    SetPixel(dc, 0, 0, 0);
    // Copy the window's first rows down by one: the copy reads the old pixels.
    BitBlt(dc, 0, 1, 5, 4, dc, 0, 0, SRCCOPY);
    EXPECT_EQ(surface.At(5, 3), 0u);
    EXPECT_EQ(surface.At(5, 2), 0u);
}

TEST(UnboundDc, DrawsNothingAndDoesNotCrash) {
    HDC dc = gdi::CreateSurfaceDC();
    RECT r{0, 0, 10, 10};
    EXPECT_TRUE(FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
    EXPECT_TRUE(Rectangle(dc, 0, 0, 5, 5));
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    EXPECT_EQ(gdi::SurfaceOfDC(dc), nullptr);
    EXPECT_TRUE(gdi::DeleteSurfaceDC(dc));
    EXPECT_FALSE(gdi::DeleteSurfaceDC(dc));
    EXPECT_FALSE(gdi::BindSurfaceDC(dc, nullptr, POINT{0, 0}, Region()));
}

}  // namespace
}  // namespace win32
