// The bar window's own messages, timers and window styles. The caption-state
// message belongs to the hook library's contract: cbt/cbt.h.
#pragma once

#include <windows.h>

UINT const WM_TRAYNOTIFY = WM_USER + 1;  // tray icon callback
UINT const WM_DISPLAYCHANGED = WM_USER + 20;  // posted to itself: lay the bar out again for the display

UINT_PTR const IDT_REFRESH = 1;   // battery refresh, Interval ms
UINT_PTR const IDT_SHUTDOWN = 2;  // auto-shutdown countdown, one minute
UINT_PTR const IDT_CAPTION_COLOURS = 3;  // once, after what changes the colours beside the bar
UINT_PTR const IDT_SESSION_RETRY = 4;   // registering for the session's changes again
UINT_PTR const IDT_POWER_OFF_WATCH = 5;  // a power-off under way that has not ended the session yet
UINT_PTR const IDT_TRAY_RETRY = 6;  // the tray icon offered again after the shell refused it
UINT_PTR const IDT_BATTERY_WATCH = 7;  // the battery read for the tip and reminders while a countdown owns the bar
UINT_PTR const IDT_CONFIRM = 1;   // on the shutdown confirmation dialog, one second
UINT_PTR const IDT_DETAILS_CLOCK = 1;  // on the Battery details window: the present moves on, one minute

// Extended styles of the bar: free-floating (draggable) or adhering (input
// falls through, never activated).
DWORD const BAR_EXSTYLE_FLOATING = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
DWORD const BAR_EXSTYLE_ADHERING =
    WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

// Pixels of this colour in the layered bar are transparent.
COLORREF const COLOUR_KEY = RGB(255, 0, 255);
