// What the system says about caption colours, read for the bar's colour
// choice (bar/caption_colours): the Windows version, high contrast, the
// classic colours, DWM's settings, a window's dark mode, the screen.
#pragma once

#include <windows.h>

#include <cstdint>

#include "bar/caption_colours.h"

// The system-wide facts; darkMode there is the apps' theme, screenKnown
// false. ReadColourFacts is what the bar reads: the system's, unless a test
// supplies its own.
ColourFacts ReadSystemColourFacts();
ColourFacts ReadColourFacts();

// The top-level window under the caption beside the bar; null when none.
HWND WindowBeside(HWND bar);

// A window that asked DWM for a dark caption. False where DWM cannot tell.
bool IsDarkWindow(HWND window);

// The colour of the caption beside the bar, read from the screen in the rows
// just above and below it; false when no one colour lies there.
bool ReadCaptionBeside(HWND bar, uint32_t* colour);
