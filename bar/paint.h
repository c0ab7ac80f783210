// Painting the bar.
#pragma once

#include <windows.h>

// Draws the bar into any device context (the paint DC, or a test's DIB).
// Reads the bar's look, layout and view; changes no state. countdown: an
// auto-shutdown runs, shown with the power button and a plain rectangle.
void PaintBar(HDC dc, RECT const& client, bool countdown);

// WM_PAINT: BeginPaint, PaintBar, EndPaint.
void OnPaint(HWND window, bool countdown);
