#include "bar/geometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

void ExpectRect(Rect const& r, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    EXPECT_EQ(left, r.left);
    EXPECT_EQ(top, r.top);
    EXPECT_EQ(right, r.right);
    EXPECT_EQ(bottom, r.bottom);
}

void ExpectOutline(FrameOutline const& o, Point const (&expected)[8])
{
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(expected[i].x, o.points[i].x) << "point " << i;
        EXPECT_EQ(expected[i].y, o.points[i].y) << "point " << i;
    }
}

TEST(Geometry, Caption25Width50)
{
    BarGeometry const g = ComputeBarGeometry(25, 50);
    EXPECT_EQ(75, g.windowWidth);
    EXPECT_EQ(17, g.windowHeight);
    ExpectRect(g.icon, 0, 0, 16, 16);
    ExpectRect(g.frame, 18, 0, 73, 16);
    ExpectRect(g.fill, 20, 2, 71, 14);
    Point const outline[8] = {{18, 0}, {71, 0}, {71, 4}, {73, 4}, {73, 12}, {71, 12}, {71, 16}, {18, 16}};
    ExpectOutline(BuildFrameOutline(g.frame), outline);
    EXPECT_EQ(28, FillWidth(50, 57));  // fill (20, 2) to (48, 15)
}

TEST(Geometry, Caption22ClipsTheIcon)
{
    BarGeometry const g = ComputeBarGeometry(22, 50);
    EXPECT_EQ(75, g.windowWidth);
    EXPECT_EQ(14, g.windowHeight);
    ExpectRect(g.icon, 0, -1, 16, 15);
    Point const outline[8] = {{18, 0}, {71, 0}, {71, 3}, {73, 3}, {73, 10}, {71, 10}, {71, 13}, {18, 13}};
    ExpectOutline(BuildFrameOutline(g.frame), outline);
}

TEST(Geometry, IconTopTruncatesTowardZero)
{
    EXPECT_EQ(-1, ComputeBarGeometry(21, 50).icon.top);  // -3 / 2
    EXPECT_EQ(0, ComputeBarGeometry(23, 50).icon.top);   // -1 / 2
    EXPECT_EQ(1, ComputeBarGeometry(26, 50).icon.top);
    // Nub inset of a frame with a negative height: -2 / 4 is 0, not -1.
    FrameOutline const o = BuildFrameOutline(ComputeBarGeometry(7, 50).frame);
    EXPECT_EQ(0, o.points[2].y);
}

TEST(Geometry, FillWidth)
{
    EXPECT_EQ(0, FillWidth(50, 0));
    EXPECT_EQ(50, FillWidth(50, 100));
    EXPECT_EQ(39, FillWidth(80, 49));        // 39.2 truncated
    EXPECT_EQ(-2, FillWidth(-5, 57));        // -2.85 toward zero
    EXPECT_EQ(2000000000, FillWidth(2000000000, 100));  // product needs 64 bits
}

TEST(Geometry, NoOverflowForAnyBarWidth)
{
    for (int32_t w : {INT32_MIN, -5, 0, 2000000000, INT32_MAX - 25, INT32_MAX}) {
        BarGeometry const g = ComputeBarGeometry(25, w);  // UBSan would trap on overflow
        FrameOutline const o = BuildFrameOutline(g.frame);
        EXPECT_LE(g.frame.right, INT32_MAX);
        EXPECT_EQ(w > INT32_MAX - 25 ? INT32_MAX : w + 25, g.windowWidth) << w;
        (void)o;
        (void)FillWidth(w, 100);
    }
    EXPECT_EQ(INT32_MAX, ComputeBarGeometry(25, INT32_MAX).windowWidth);
    EXPECT_EQ(INT32_MIN + 23 - 2, BuildFrameOutline(ComputeBarGeometry(25, INT32_MIN).frame).points[1].x);
}

}  // namespace
