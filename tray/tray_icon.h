// The one notification-area icon, identifier 1, owned by the bar window.
#pragma once

#include <windows.h>
#include <shellapi.h>

UINT const TRAY_ICON_ID = 1;

// The icon's two images: the program's own, and the power button while an
// auto-shutdown counts down. Shared icons: the same handle each time.
HICON BatteryTrayIcon();
HICON CountdownTrayIcon();

BOOL AddTrayIcon(HWND bar, HICON icon);
BOOL RemoveTrayIcon(HWND bar);
BOOL SetTrayTip(HWND bar, WCHAR const* text);
BOOL SetTrayIcon(HWND bar, HICON icon);  // a null icon makes no call: FALSE

// The shell's "TaskbarCreated" broadcast, registered on first use.
UINT TaskbarCreatedMessage();
// Adds the icon again after the taskbar was (re)created, with the image and
// tooltip last given, so a running countdown stays visible and cancellable.
BOOL RestoreTrayIcon(HWND bar);
