// Parking a window in the bottom-right corner of a monitor's work area.
#pragma once

#include <windows.h>

// Moves a window, unsized, topmost and without activating it, so that its
// right and bottom edges lie caption height + 3 pixels in from the work area
// of anchor's monitor (window's own when anchor is null), the caption height
// being the one at that monitor's DPI.
void PlaceAtBottomRight(HWND window, HWND anchor);
