// Reading a window's shape from the window system, once, for both questions
// asked of it: can it carry the bar, and is it full screen.
#pragma once

#include <windows.h>

#include "cbt/caption_placement.h"
#include "cbt/window_query.h"

// The visible frame, the monitor the window is on, whether it has a system
// caption and, if so, that caption and which of its buttons show. No
// message: nothing to wait for.
void ReadWindowShape(HWND window, CarrierWindow* shape);

// Asks the window where its caption buttons are along the caption's middle
// row (for a window without a system caption, captionHeight / 2 below the
// top of its frame on its monitor) into shape->row.
QueryOutcome ProbeCaptionOf(HWND window, int captionHeight, CarrierWindow* shape);
