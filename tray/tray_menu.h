// The tray icon's callback: the context menu on a right-button release.
#pragma once

#include <windows.h>

// What a running countdown changes in the menu: the first item's text, which
// then cancels it (0: no countdown, the item reads "自动关机"), and whether
// "延后10分钟" stands above it.
struct CountdownMenu {
    UINT cancelText;
    bool addTenMinutes;
};

// WM_TRAYNOTIFY: lParam carries the mouse message. Always 1.
LRESULT OnTrayNotify(HWND bar, LPARAM lParam, CountdownMenu countdown);
