// Bar geometry: every rectangle of the bar follows from the caption height
// and the fill width. Pure logic, no window system.
#pragma once

#include <cstdint>

#include "base/rect.h"

struct BarGeometry {
    int32_t windowWidth;   // BarWidth + 25
    int32_t windowHeight;  // cap - 8
    Rect icon;             // 16 x 16, centred in the window height
    Rect frame;            // right and bottom are the outline's last column and row
    Rect fill;             // text rectangle and the area a changed percent repaints
};

// The battery outline: body plus the terminal nub on the right.
struct FrameOutline {
    Point points[8];
};

// All arithmetic saturates to the 32-bit range, so no BarWidth or caption
// height read from anywhere can overflow.
BarGeometry ComputeBarGeometry(int32_t captionHeight, int32_t barWidth);
FrameOutline BuildFrameOutline(Rect const& frame);

// Width of the painted fill: barWidth * percent / 100, product first.
int32_t FillWidth(int32_t barWidth, int32_t percent);
