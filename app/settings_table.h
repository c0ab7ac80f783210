// Settings defaults. Pure logic, no window system.
#pragma once

#include <cstdint>

int32_t const DEFAULT_AUTORUN = 0;
int32_t const DEFAULT_ADHERE = 1;
int32_t const DEFAULT_IGNOREDUI = 1;
int32_t const DEFAULT_BARWIDTH = 50;
int32_t const DEFAULT_INTERVAL = 5000;
int32_t const DEFAULT_ALPHA = 240;
int32_t const DEFAULT_POSITION_Y = 4;

// Default left edge: the bar's right edge lands 4 x cap - 1 pixels left of
// the screen's right edge. Saturates instead of overflowing for odd widths.
int32_t DefaultPositionX(int32_t screenWidth, int32_t captionHeight, int32_t barWidth);
