// Bar geometry: every rectangle of the bar follows from the caption height,
// the fill length and the display's DPI. Pure logic, no window system.
#pragma once

#include <climits>
#include <cstdint>

#include "base/rect.h"

int32_t const BASE_DPI = 96;

struct BarGeometry {
    int32_t windowWidth;   // BarWidth + 25 at 96 DPI
    int32_t windowHeight;  // cap - 8
    Rect icon;             // the state picture, square, never outside the window
    Rect frame;            // right and bottom are the outline's last column and row
    Rect fill;             // text rectangle and the area a changed percent repaints
    int32_t fillLength;    // the fill at 100 percent
    int32_t nubWidth;      // columns of the terminal nub
};

// The battery outline: body plus the terminal nub on the right.
struct FrameOutline {
    Point points[8];
};

// pixelsAt96 at another DPI, rounded to the nearest pixel.
int32_t ScaleToDpi(int32_t pixelsAt96, int32_t dpi);

// The horizontal chrome (icon slot, gap, nub, last column) and the fill
// length scale with dpi; barWidth is the fill length at 96 DPI. A fill too
// narrow for textWidth pixels of bar text is widened to hold it. The icon is
// as large as its slot but never higher than the window. At 96 DPI and a
// caption of 24 or more this is the bar's classic layout to the pixel.
// The fill is shortened so that the window is no wider than maxWidth (the
// monitor's work area). All arithmetic saturates to the 32-bit range, so no
// BarWidth or caption height read from anywhere can overflow.
BarGeometry ComputeBarGeometry(int32_t captionHeight, int32_t barWidth, int32_t dpi = BASE_DPI,
                               int32_t textWidth = 0, int32_t maxWidth = INT32_MAX);
FrameOutline BuildFrameOutline(Rect const& frame, int32_t nubWidth = 2);

// Width of the painted fill: fillLength * percent / 100, product first.
int32_t FillWidth(int32_t fillLength, int32_t percent);
