#include "app/settings_table.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(DefaultPositionX, RightEdgeFourCaptionsMinusOneFromTheScreenEdge)
{
    // 1280 - (4 * 25 + 24) - 50 = 1106; the bar's right edge is 1106 + 75 = 1181 = 1280 - 99.
    EXPECT_EQ(1106, DefaultPositionX(1280, 25, 50));
    EXPECT_EQ(1076, DefaultPositionX(1280, 25, 80));  // BarWidth 80: 30 pixels further left
    EXPECT_EQ(1024 - 19 * 4 - 74, DefaultPositionX(1024, 19, 50));
}

TEST(DefaultPositionX, SaturatesForOddWidths)
{
    EXPECT_EQ(INT32_MIN, DefaultPositionX(INT32_MIN, 25, INT32_MAX));
    EXPECT_EQ(INT32_MAX, DefaultPositionX(1280, 25, INT32_MIN));
    EXPECT_EQ(1280 - 124 - INT32_MAX, DefaultPositionX(1280, 25, INT32_MAX));
    EXPECT_EQ(1280 - 124 + 5, DefaultPositionX(1280, 25, -5));
    EXPECT_EQ(INT32_MAX, DefaultPositionX(INT32_MAX, 0, INT32_MIN + 1 + 100));
}

}  // namespace
