// The program's own rectangle and point: 32-bit, no window system, so the
// pure logic that computes them is tested on the host.
#pragma once

#include <cstdint>

struct Rect {
    int32_t left, top, right, bottom;
};

struct Point {
    int32_t x, y;
};
