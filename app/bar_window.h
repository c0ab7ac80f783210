// The bar window's procedure: the hub of the running program, where the
// wings meet. Every message of the bar arrives here and goes to the wing that
// owns it; what one wing must know of another (is a countdown running?) is
// asked here and handed over.
#pragma once

#include <windows.h>

LRESULT CALLBACK BarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// After a battery reading: the tray tip says what it found (unless a
// countdown's time left is the tip), and a reminder that is due goes out
// from the tray icon.
void ShowBatteryDetails(HWND window);
