// The tray icon's callback: the context menu on a right-button release.
#pragma once

#include <windows.h>

// WM_TRAYNOTIFY: lParam carries the mouse message. While an auto-shutdown
// counts down, the first item offers to cancel it. Always 1.
LRESULT OnTrayNotify(HWND bar, LPARAM lParam, bool countdownRunning);
