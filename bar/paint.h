// Painting the bar.
#pragma once

#include <windows.h>

// Draws the bar into any device context (the paint DC, or a test's DIB).
void PaintBar(HDC dc, RECT const& client);

// WM_PAINT: BeginPaint, PaintBar, EndPaint.
void OnPaint(HWND window);
