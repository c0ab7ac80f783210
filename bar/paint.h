// Painting the bar.
#pragma once

#include <windows.h>

// Draws the bar into any device context (the paint DC, or a test's DIB).
// Reads the SettingsBlock, the geometry and the outline; changes no state.
void PaintBar(HDC dc, RECT const& client);

// WM_PAINT: BeginPaint, PaintBar, EndPaint.
void OnPaint(HWND window);

// GDI objects PaintBar created and has not deleted yet. Wine's
// GetGuiResources reports no counts, so the leak test counts ours.
extern LONG g_paintObjectsAlive;
