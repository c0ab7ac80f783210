#include <gtest/gtest.h>

#include <climits>

#include "base/bottom_right.h"

namespace {

TEST(BottomRight, EdgesLieCaptionPlusThreeInFromTheWorkAreas)
{
    struct Case {
        int32_t screenW, screenH, w, h, cap, x, y;
    } const cases[] = {
        {1280, 1024, 75, 17, 25, 1177, 979},  // a bar: right edge 1252, bottom 996
        {1280, 1024, 75, 11, 19, 1183, 991},
        {1024, 700, 400, 200, 19, 602, 478},
        {800, 600, 0, 0, 0, 797, 597},
        {100, 100, 300, 300, 19, -222, -222},  // larger than the screen: off its left and top
        {1280, 1024, 75, 17, -10, 1212, 1014},  // a nonsensical caption height shrinks the margin
    };
    for (Case const& c : cases) {
        Point const at = BottomRightPosition(Rect{0, 0, c.screenW, c.screenH}, c.w, c.h, c.cap);
        EXPECT_EQ(c.x, at.x) << c.screenW << " x " << c.screenH << ", cap " << c.cap;
        EXPECT_EQ(c.y, at.y) << c.screenW << " x " << c.screenH << ", cap " << c.cap;
    }
}

TEST(BottomRight, ExtremeSizesSaturateInsteadOfWrapping)
{
    Point at = BottomRightPosition(Rect{0, 0, INT32_MIN, INT32_MIN}, INT32_MAX, INT32_MAX, INT32_MAX);
    EXPECT_EQ(INT32_MIN, at.x);
    EXPECT_EQ(INT32_MIN, at.y);
    at = BottomRightPosition(Rect{0, 0, INT32_MAX, INT32_MAX}, INT32_MIN, INT32_MIN, -3);
    EXPECT_EQ(INT32_MAX, at.x);
    EXPECT_EQ(INT32_MAX, at.y);
    at = BottomRightPosition(Rect{0, 0, INT32_MAX, 0}, 0, 0, -4);
    EXPECT_EQ(INT32_MAX, at.x) << "one past the range";
    EXPECT_EQ(1, at.y);
}

// Any monitor's work area: right of, left of and above the primary, or
// above or below a taskbar; only its right and bottom edges count.
TEST(BottomRight, InTheCornerOfAnyMonitorsWorkArea)
{
    struct Case {
        Rect area;
        int32_t x, y;
    } const cases[] = {
        {{0, 0, 1920, 1040}, 1920 - 75 - 28, 1040 - 17 - 28},    // above a 40-pixel taskbar
        {{0, 40, 1920, 1080}, 1920 - 75 - 28, 1080 - 17 - 28},   // below one at the top
        {{1280, 0, 2304, 768}, 2304 - 75 - 28, 768 - 17 - 28},   // a second monitor on the right
        {{-1024, -200, 0, 568}, -75 - 28, 568 - 17 - 28},        // left of and above the primary
    };
    for (Case const& c : cases) {
        Point const at = BottomRightPosition(c.area, 75, 17, 25);
        EXPECT_EQ(c.x, at.x) << c.area.left << ", " << c.area.top;
        EXPECT_EQ(c.y, at.y) << c.area.left << ", " << c.area.top;
    }
}

}  // namespace
