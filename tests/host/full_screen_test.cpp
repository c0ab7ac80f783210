#include "cbt/full_screen.h"

#include <gtest/gtest.h>

namespace {

Rect const MONITOR{1280, 0, 2560, 1024};  // the second of two monitors

TEST(IsFullScreenWindow, CoversItsMonitorWithNoCaption)
{
    struct Case {
        char const* name;
        Rect window;
        bool captionShown;
        bool full;
    } const cases[] = {
        {"exactly the monitor", MONITOR, false, true},
        {"past every edge (a borderless frame)", {1272, -8, 2568, 1032}, false, true},
        {"a caption on it (maximised)", {1272, -8, 2568, 1032}, true, false},
        {"the work area above a taskbar", {1280, 0, 2560, 984}, false, false},
        {"one column short", {1281, 0, 2560, 1024}, false, false},
        {"the other monitor", {0, 0, 1280, 1024}, false, false},
    };
    for (Case const& c : cases)
        EXPECT_EQ(c.full, IsFullScreenWindow(c.window, MONITOR, c.captionShown)) << c.name;
    EXPECT_FALSE(IsFullScreenWindow(MONITOR, Rect{0, 0, 0, 0}, false)) << "no monitor";
    EXPECT_FALSE(IsFullScreenWindow(Rect{0, 0, 0, 0}, Rect{5, 5, 5, 5}, false)) << "an empty monitor";
}

}  // namespace
