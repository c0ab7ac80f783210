// Parking a window in the bottom-right corner of the primary screen.
#pragma once

#include <windows.h>

// Moves a window, unsized and topmost, so that its right and bottom edges lie
// caption height + 3 pixels in from the primary screen's edges.
void PlaceAtBottomRight(HWND window);
