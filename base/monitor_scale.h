// Which monitor's scale holds at a point, where monitors of different DPI
// lie side by side. Pure.
#pragma once

#include <cstdint>

#include "base/rect.h"

struct MonitorScale {
    Rect area;  // the monitor, in screen coordinates
    int32_t dpi;
};

// The DPI of the first monitor that holds point (its right and bottom edges
// belong to the next one); otherwise when none does. At most 16 are read.
int32_t DpiAtPoint(Point point, MonitorScale const* monitors, int32_t count, int32_t otherwise);
