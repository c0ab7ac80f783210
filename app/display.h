// Following the display while the program runs: DPI, caption metrics and
// colours, monitors and the work area.
#pragma once

#include <windows.h>

// Publishes the bar's handle and current size for the hook library.
void PublishBarRecord(HWND bar);

// Puts an adhering bar on the foreground window's caption, or parks it at
// the bottom-right of its monitor's work area when that window cannot carry it.
void PlaceOnForegroundCaption(HWND bar);

// A floating bar whose position lies on no monitor (the screen it was saved
// on is gone) moves to the default position on the primary monitor.
void KeepFloatingBarOnScreen(HWND bar);

// The display changed: re-reads colours, caption height, font and geometry,
// resizes the bar (at suggested's top-left, when given), republishes the
// record, places it again and repaints it.
void OnDisplayChange(HWND bar, RECT const* suggested);
