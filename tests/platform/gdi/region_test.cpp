#include "platform/gdi/region.h"

#include <gtest/gtest.h>

namespace win32 {
namespace {

int Area(const Region& r) {
    int a = 0;
    for (const RECT& x : r.Rects()) a += (x.right - x.left) * (x.bottom - x.top);
    return a;
}

TEST(Region, EmptyAndInsideOutRectangles) {
    EXPECT_TRUE(Region(RECT{5, 5, 5, 10}).IsEmpty());
    // A rectangle given inside out is normalised, as CreateRectRgn does.
    Region r(RECT{10, 10, 0, 0});
    EXPECT_EQ(r.Bounds(), (RECT{0, 0, 10, 10}));
    EXPECT_TRUE(r.IsRectangle());
}

TEST(Region, UnionOfTouchingRectanglesCoalesces) {
    Region r(RECT{0, 0, 10, 10});
    r.UnionWith(RECT{10, 0, 20, 10});
    ASSERT_EQ(r.Rects().size(), 1u);
    EXPECT_EQ(r.Rects()[0], (RECT{0, 0, 20, 10}));
    r.UnionWith(RECT{0, 10, 20, 15});
    ASSERT_EQ(r.Rects().size(), 1u);
    EXPECT_EQ(r.Bounds(), (RECT{0, 0, 20, 15}));
}

TEST(Region, BooleanOperationsCoverTheRightPixels) {
    Region a(RECT{0, 0, 10, 10});
    Region b(RECT{5, 5, 15, 15});
    EXPECT_EQ(Area(a.Combined(b, RegionOp::Or)), 175);
    EXPECT_EQ(Area(a.Combined(b, RegionOp::And)), 25);
    EXPECT_EQ(Area(a.Combined(b, RegionOp::Diff)), 75);
    EXPECT_EQ(Area(a.Combined(b, RegionOp::Xor)), 150);
    Region hole = Region(RECT{0, 0, 30, 30}).Subtract(RECT{10, 10, 20, 20});
    EXPECT_EQ(Area(hole), 800);
    EXPECT_TRUE(hole.Contains(5, 15));
    EXPECT_FALSE(hole.Contains(15, 15));
    EXPECT_TRUE(hole.Contains(25, 15));
    EXPECT_FALSE(hole.Contains(30, 15));
    EXPECT_FALSE(hole.Intersects(RECT{11, 11, 19, 19}));
    EXPECT_TRUE(hole.Intersects(RECT{19, 19, 21, 21}));
    // Filling the hole again gives the plain square back, in the same form.
    EXPECT_EQ(hole.UnionWith(RECT{10, 10, 20, 20}), Region(RECT{0, 0, 30, 30}));
}

TEST(Region, SameCoverageGivesEqualRegionsWhateverTheOrderOfBuilding) {
    Region x = Region::FromRects({{0, 0, 4, 4}, {2, 2, 6, 6}, {4, 0, 6, 2}});
    Region y = Region::FromRects({{4, 0, 6, 2}, {2, 2, 6, 6}, {0, 0, 4, 4}});
    EXPECT_EQ(x, y);
    x.Offset(3, -2);
    EXPECT_TRUE(x.Contains(3, -2));
    EXPECT_FALSE(x.Contains(2, -2));
}

}  // namespace
}  // namespace win32
