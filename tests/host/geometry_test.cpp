#include "bar/geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(Geometry, Caption22ShrinksTheIconIntoTheBar)
{
    BarGeometry const g = ComputeBarGeometry(22, 50);
    EXPECT_EQ(75, g.windowWidth);
    EXPECT_EQ(14, g.windowHeight);
    ExpectRect(g.icon, 1, 0, 15, 14);  // 14 x 14, centred in its 16-pixel slot
    Point const outline[8] = {{18, 0}, {71, 0}, {71, 3}, {73, 3}, {73, 10}, {71, 10}, {71, 13}, {18, 13}};
    ExpectOutline(BuildFrameOutline(g.frame), outline);
}

TEST(Geometry, IconNeverLeavesALowWindow)
{
    EXPECT_EQ(0, ComputeBarGeometry(21, 50).icon.top);  // 13 x 13
    EXPECT_EQ(13, ComputeBarGeometry(21, 50).icon.bottom);
    EXPECT_EQ(0, ComputeBarGeometry(23, 50).icon.top);  // 15 x 15
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

// A BarWidth wider than the monitor gives a bar as wide as its work area, the
// nub and outline still inside; one that fits is left alone.
TEST(Geometry, NoWiderThanTheWorkArea)
{
    for (int32_t dpi : {96, 144, 192}) {
        for (int32_t w : {5000, 2000000000, INT32_MAX}) {
            BarGeometry const g = ComputeBarGeometry(25, w, dpi, 0, 1280);
            EXPECT_EQ(1280, g.windowWidth) << dpi << " " << w;
            EXPECT_LT(g.frame.right, g.windowWidth);
            EXPECT_EQ(g.fill.right, g.fill.left + g.fillLength + 1);
        }
        EXPECT_EQ(ComputeBarGeometry(25, 50, dpi).windowWidth, ComputeBarGeometry(25, 50, dpi, 0, 1280).windowWidth);
    }
}

}  // namespace

namespace {

int32_t const DPIS[] = {96, 120, 144, 192};

TEST(ScaleToDpi, RoundsToTheNearestPixel)
{
    EXPECT_EQ(16, ScaleToDpi(16, 96));
    EXPECT_EQ(3, ScaleToDpi(2, 120));  // 2.5
    EXPECT_EQ(1, ScaleToDpi(1, 120));  // 1.25
    EXPECT_EQ(2, ScaleToDpi(1, 144));  // 1.5
    EXPECT_EQ(63, ScaleToDpi(50, 120));
    EXPECT_EQ(-63, ScaleToDpi(-50, 120));
    EXPECT_EQ(50, ScaleToDpi(50, 0));  // no DPI known: as at 96
    EXPECT_EQ(INT32_MAX, ScaleToDpi(INT32_MAX, 192));
}

// At 96 DPI and the captions the icon fits in, the classic layout: window
// BarWidth + 25 by cap - 8, icon at (0, (cap - 24) / 2), frame from 18 to
// BarWidth + 23, fill from 20 to BarWidth + 21.
TEST(ScaledGeometry, At96DpiTheClassicLayout)
{
    for (int32_t cap = 24; cap <= 40; ++cap)
        for (int32_t w : {10, 50, 80}) {
            SCOPED_TRACE(testing::Message() << "cap " << cap << " width " << w);
            BarGeometry const g = ComputeBarGeometry(cap, w, 96, 0);
            EXPECT_EQ(w + 25, g.windowWidth);
            EXPECT_EQ(cap - 8, g.windowHeight);
            ExpectRect(g.icon, 0, (cap - 24) / 2, 16, (cap - 24) / 2 + 16);
            ExpectRect(g.frame, 18, 0, w + 23, cap - 9);
            ExpectRect(g.fill, 20, 2, w + 21, cap - 11);
            EXPECT_EQ(w, g.fillLength);
            EXPECT_EQ(2, g.nubWidth);
        }
}

TEST(ScaledGeometry, ChromeAndFillScaleWithTheDpi)
{
    struct Case {
        int32_t dpi, cap;
        int32_t width, icon, frameLeft, fillLength, frameRight;
    } const cases[] = {
        {120, 24, 94, 16, 23, 63, 89 + 3},  // slot 20, gap 3, nub 3, last column 1
        {144, 28, 111, 20, 27, 75, 105 + 3},  // slot 24, icon as high as the window
        {192, 37, 146, 29, 36, 100, 139 + 4},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi << " DPI");
        BarGeometry const g = ComputeBarGeometry(c.cap, 50, c.dpi, 0);
        EXPECT_EQ(c.width, g.windowWidth);
        EXPECT_EQ(c.cap - 8, g.windowHeight);
        EXPECT_EQ(c.icon, g.icon.right - g.icon.left);
        EXPECT_EQ(c.frameLeft, g.frame.left);
        EXPECT_EQ(c.fillLength, g.fillLength);
        EXPECT_EQ(c.frameRight, g.frame.right);
        FrameOutline const o = BuildFrameOutline(g.frame, g.nubWidth);
        EXPECT_EQ(g.fill.right, o.points[1].x) << "one band column between the full fill and the outline";
    }
}

// Whatever the DPI and caption: the icon is square and inside the window,
// left of the frame; the fill keeps its one-pixel band inside the body; the
// window holds the nub; a text wider than the fill widens it.
TEST(ScaledGeometry, NothingLeavesTheBarAtAnyDpiOrCaption)
{
    for (int32_t dpi : DPIS)
        for (int32_t cap = 19; cap <= 40; ++cap)
            for (int32_t text : {0, 30, 140}) {
                SCOPED_TRACE(testing::Message() << dpi << " DPI, cap " << cap << ", text " << text);
                BarGeometry const g = ComputeBarGeometry(cap, 50, dpi, text);
                int32_t const size = g.icon.right - g.icon.left;
                EXPECT_EQ(size, g.icon.bottom - g.icon.top);
                EXPECT_EQ(std::min(ScaleToDpi(16, dpi), cap - 8), size);
                EXPECT_GE(g.icon.left, 0);
                EXPECT_GE(g.icon.top, 0);
                EXPECT_LE(g.icon.bottom, g.windowHeight);
                EXPECT_LT(g.icon.right, g.frame.left);
                FrameOutline const o = BuildFrameOutline(g.frame, g.nubWidth);
                EXPECT_EQ(g.fill.left, g.frame.left + 2);
                EXPECT_EQ(g.fill.right, o.points[1].x);
                EXPECT_EQ(g.fill.left + g.fillLength + 1, g.fill.right);
                EXPECT_EQ(o.points[3].x, g.frame.right);
                EXPECT_LT(g.frame.right, g.windowWidth);
                EXPECT_EQ(g.frame.bottom, g.windowHeight - 1);
                EXPECT_EQ(std::max(ScaleToDpi(50, dpi), text + 2), g.fillLength);
            }
}

TEST(ScaledGeometry, NoOverflowForAnyDpiOrText)
{
    for (int32_t dpi : {INT32_MIN, -96, 0, 96, 192, 100000, INT32_MAX})
        for (int32_t w : {INT32_MIN, 50, INT32_MAX})
            for (int32_t text : {INT32_MIN, 0, INT32_MAX}) {
                BarGeometry const g = ComputeBarGeometry(25, w, dpi, text);  // UBSan traps on overflow
                (void)BuildFrameOutline(g.frame, g.nubWidth);
                (void)FillWidth(g.fillLength, 100);
            }
    EXPECT_EQ(INT32_MAX, ComputeBarGeometry(25, 50, 96, INT32_MAX).windowWidth);
    EXPECT_EQ(75, ComputeBarGeometry(25, 50, -1, 0).windowWidth);
}

}  // namespace
