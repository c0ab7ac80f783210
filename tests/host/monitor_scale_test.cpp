#include "base/monitor_scale.h"

#include <gtest/gtest.h>

namespace {

// A laptop at 150 % with a monitor at 100 % on its right, a third above.
MonitorScale const MONITORS[] = {
    {{0, 0, 1920, 1080}, 144},
    {{1920, 0, 3200, 1024}, 96},
    {{0, -900, 1600, 0}, 120},
};

TEST(DpiAtPoint, TheMonitorUnderThePoint)
{
    struct Case {
        char const* name;
        Point point;
        int32_t dpi;
    } const cases[] = {
        {"inside the laptop", {100, 500}, 144},
        {"its last column", {1919, 500}, 144},
        {"the boundary belongs to the right one", {1920, 500}, 96},
        {"the one above", {800, -1}, 120},
        {"below the shorter monitor: none", {2500, 1050}, 72},
        {"left of everything", {-1, 10}, 72},
    };
    for (Case const& c : cases)
        EXPECT_EQ(c.dpi, DpiAtPoint(c.point, MONITORS, 3, 72)) << c.name;
    EXPECT_EQ(72, DpiAtPoint({100, 500}, nullptr, 3, 72));
    EXPECT_EQ(72, DpiAtPoint({100, 500}, MONITORS, 0, 72));
    MonitorScale const unknown[] = {{{0, 0, 100, 100}, 0}};
    EXPECT_EQ(72, DpiAtPoint({10, 10}, unknown, 1, 72)) << "a monitor with no DPI read";
}

}  // namespace
