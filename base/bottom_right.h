// The bottom-right corner the program parks its windows in. Pure arithmetic,
// no window system.
#pragma once

#include <cstdint>

#include "base/rect.h"

// The top-left position that puts a window of the given size with its right
// and bottom edges caption height + 3 pixels in from those of the work area
// (a monitor less its taskbar). Saturates to the 32-bit range instead of
// overflowing.
Point BottomRightPosition(Rect const& workArea, int32_t windowWidth, int32_t windowHeight, int32_t captionHeight);
