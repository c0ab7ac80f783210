#include <gtest/gtest.h>

#include <climits>

#include "base/bottom_right.h"

namespace {

TEST(BottomRight, EdgesLieCaptionPlusThreeInFromTheScreens)
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
        Point const at = BottomRightPosition(c.screenW, c.screenH, c.w, c.h, c.cap);
        EXPECT_EQ(c.x, at.x) << c.screenW << " x " << c.screenH << ", cap " << c.cap;
        EXPECT_EQ(c.y, at.y) << c.screenW << " x " << c.screenH << ", cap " << c.cap;
    }
}

TEST(BottomRight, ExtremeSizesSaturateInsteadOfWrapping)
{
    Point at = BottomRightPosition(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX);
    EXPECT_EQ(INT32_MIN, at.x);
    EXPECT_EQ(INT32_MIN, at.y);
    at = BottomRightPosition(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, -3);
    EXPECT_EQ(INT32_MAX, at.x);
    EXPECT_EQ(INT32_MAX, at.y);
    at = BottomRightPosition(INT32_MAX, 0, 0, 0, -4);
    EXPECT_EQ(INT32_MAX, at.x) << "one past the range";
    EXPECT_EQ(1, at.y);
}

}  // namespace
