// Following the display while the program runs: DPI, caption metrics and
// colours, monitors and the work area.
#pragma once

#include <windows.h>

// Publishes the bar's handle and current size for the hook library.
void PublishBarRecord(HWND bar);

// A floating bar whose position lies on no monitor (the screen it was saved
// on is gone) moves to the default position on the primary monitor.
void KeepFloatingBarOnScreen(HWND bar);

// The display changed (DPI, caption metrics, colours, monitors, work area):
// handled by OnDisplayChange once the message loop is back, never inside
// whatever else the bar's thread was doing (the library waiting on another
// program lets the system deliver such messages). suggested: the rectangle
// WM_DPICHANGED suggests, or null.
void DeferDisplayChange(HWND bar, RECT const* suggested);

// The DPI the bar is laid out for: riding, that of the monitor under its
// anchor (its right end, where the caption buttons begin), whichever
// monitor holds most of it, so that a bar across two monitors of different
// scales never bounces between them; floating, the system's for the window.
UINT BarDpi(HWND bar, bool adhering);

// Re-reads colours, caption height, font and geometry, resizes the bar
// (riding, about its right end; floating, at the top-left of the suggested
// rectangle of a deferred WM_DPICHANGED, when there was one), republishes
// the record, places it again and repaints it.
void OnDisplayChange(HWND bar);

// The bar moved: riding onto a monitor of another scale, it is laid out
// again for it.
void OnBarMoved(HWND bar);
