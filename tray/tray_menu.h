// The tray icon's callback: the context menu on a right-button release.
#pragma once

#include <windows.h>

// The menu's modal tracking; tests replace it to look at the menu instead.
extern BOOL(WINAPI* g_trackPopupMenu)(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                                      RECT const* exclude);

// WM_TRAYNOTIFY: lParam carries the mouse message. While an auto-shutdown
// counts down, the first item offers to cancel it. Always 1.
LRESULT OnTrayNotify(HWND bar, LPARAM lParam, bool countdownRunning);
