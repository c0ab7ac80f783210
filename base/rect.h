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

// Coordinates are worked out in 64 bits and clamped back, so that no size or
// position read from anywhere can overflow.
inline int32_t Saturate(int64_t value)
{
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}
