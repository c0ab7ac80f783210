// Process-wide state of Brisvane: one definition of everything the window
// procedure, the painting, the timers and the dialogs share.
#pragma once

#include <windows.h>

#include "bar/geometry.h"
#include "shutdown/countdown_logic.h"

// The settings together with the run-time state shared by the paint, the
// timers and the dialogs. The Options dialog works on a whole copy of it.
struct SettingsBlock {
    BYTE alpha;                    // opacity 0..255
    HFONT barFont;
    HBITMAP stateBitmap;           // three 16 x 16 frames: plug, power button, warning
    HICON normalIcon;              // group 131
    HICON shutdownIcon;            // group 138
    COLORREF colourKey;            // painted pixels of this colour are transparent
    COLORREF activeCaption;
    COLORREF activeCaptionText;
    COLORREF inactiveCaption;
    COLORREF inactiveCaptionText;
    LONG interval;                 // refresh period, milliseconds
    LONG barWidth;                 // fill length at 100 percent, pixels
    LONG percent;                  // battery percent or share of the countdown left
    LONG powerState;               // POWER_STATE_*
    WCHAR barText[16];
    LONG captionActive;            // 1: paint in the active-caption colours
    LONG shutdownActive;           // 1 while an auto-shutdown counts down
    LONG adhere;                   // 1: ride on the foreground window's caption
    LONG ignoreDUI;
    LONG autoRun;
    LONG shutdownTotal;            // minutes
    LONG shutdownRemaining;        // minutes
    LONG positionX;
    LONG positionY;
};

COLORREF const COLOUR_KEY = RGB(255, 0, 255);

// Extended styles of the bar: free-floating (draggable) or adhering (input
// falls through, never activated).
DWORD const BAR_EXSTYLE_FLOATING = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
DWORD const BAR_EXSTYLE_ADHERING =
    WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

extern HINSTANCE g_instance;
extern WCHAR g_windowTitle[100];
extern WCHAR g_windowClass[100];
extern int g_captionHeight;        // SM_CYCAPTION at start-up
extern BarGeometry g_geometry;
extern FrameOutline g_outline;
extern SettingsBlock g_settings;
extern HWND g_barWindow;

// What the tray icon shows now, so it can be added again when the taskbar is
// recreated: the image and the tooltip last given to the shell.
extern HICON g_trayIcon;
extern WCHAR g_trayTip[128];
// Auto-shutdown: where the countdown stands, the confirmation's seconds left,
// and the open dialogs (null while closed) so that a menu command can reach them.
extern ShutdownState g_shutdownState;
extern LONG g_confirmCountdown;
extern HWND g_autoShutdownDialog;
extern HWND g_confirmDialog;
