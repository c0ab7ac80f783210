// The one notification-area icon, identifier 1, owned by the bar window.
#pragma once

#include <windows.h>
#include <shellapi.h>

UINT const TRAY_ICON_ID = 1;

// The icon's two images: the program's own, and the power button while an
// auto-shutdown counts down. Shared icons: the same handle each time.
HICON BatteryTrayIcon();
HICON CountdownTrayIcon();

// With no tip, the program's name for it ("电量监视").
BOOL AddTrayIcon(HWND bar, HICON icon, WCHAR const* tip = nullptr);
BOOL RemoveTrayIcon(HWND bar);
BOOL SetTrayTip(HWND bar, WCHAR const* text);
BOOL SetTrayIcon(HWND bar, HICON icon);  // a null icon makes no call: FALSE
// SetTrayTip only when the text differs from the tip shown: TRUE otherwise.
BOOL UpdateTrayTip(HWND bar, WCHAR const* text);

// A notification from the icon (a balloon, or a toast on Windows 10 and
// later) with the warning or the information icon.
BOOL ShowTrayNotification(HWND bar, WCHAR const* title, WCHAR const* text, bool warning);
// Whether the user takes notifications now: not during a presentation, a
// full-screen program or quiet hours. True where the shell cannot tell.
bool TrayNotificationsWelcome();

// The shell's "TaskbarCreated" broadcast, registered on first use.
UINT TaskbarCreatedMessage();
// Adds the icon again after the taskbar was (re)created, with the image and
// tooltip last given, so a running countdown stays visible and cancellable.
BOOL RestoreTrayIcon(HWND bar);
