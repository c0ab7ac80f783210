// The bar window's own messages and timers.
#pragma once

#include <windows.h>

UINT const WM_TRAYNOTIFY = WM_USER + 1;      // tray icon callback
UINT const WM_CAPTIONSTATE = WM_USER + 100;  // from CBT.dll: wParam 1 = caption active

UINT_PTR const IDT_REFRESH = 1;   // battery refresh, Interval ms
UINT_PTR const IDT_SHUTDOWN = 2;  // auto-shutdown countdown, one minute
UINT_PTR const IDT_CONFIRM = 1;   // on the shutdown confirmation dialog, one second
