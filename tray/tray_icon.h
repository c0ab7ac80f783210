// The one notification-area icon, identifier 1, owned by the bar window.
#pragma once

#include <windows.h>
#include <shellapi.h>

UINT const TRAY_ICON_ID = 1;

// The icon's two images: the program's own, and the power button while an
// auto-shutdown counts down, at the small-icon size of the current DPI
// (LoadIconMetric): the same handle each time until LoadTrayIconsForDpi.
HICON BatteryTrayIcon();
HICON CountdownTrayIcon();
// A new DPI: both images loaded again at its size, the one shown handed to
// the shell.
void LoadTrayIconsForDpi(HWND bar);

// With no tip, the program's name for it ("电量监视"). Every add asks for
// NOTIFYICON_VERSION_4; one the shell refuses (Explorer not ready at logon)
// is offered again on IDT_TRAY_RETRY until it is taken.
BOOL AddTrayIcon(HWND bar, HICON icon, WCHAR const* tip = nullptr);
// IDT_TRAY_RETRY: the icon offered again, with the image and tip last given.
void OnTrayRetryTimer(HWND bar);
// Whether the shell holds the icon now.
bool IsTrayIconShown();
BOOL RemoveTrayIcon(HWND bar);
BOOL SetTrayTip(HWND bar, WCHAR const* text);
BOOL SetTrayIcon(HWND bar, HICON icon);  // a null icon makes no call: FALSE
// SetTrayTip only when the text differs from the tip shown: TRUE otherwise.
BOOL UpdateTrayTip(HWND bar, WCHAR const* text);

// A notification from the icon (a balloon, or a toast on Windows 10 and
// later) with the warning or the information icon.
BOOL ShowTrayNotification(HWND bar, WCHAR const* title, WCHAR const* text, bool warning);
// What the shell says of the last notification, from the callback's lParam:
// shown (or clicked), gone (hidden or timed out: shown or not), or not about
// a notification at all.
enum class TrayBalloonNews { None, Shown, Gone };
TrayBalloonNews BalloonNewsOf(LPARAM lParam);
// Whether the user takes notifications now: not during a presentation, a
// full-screen program or quiet hours. True where the shell cannot tell.
bool TrayNotificationsWelcome();

// The shell's "TaskbarCreated" broadcast, registered on first use.
UINT TaskbarCreatedMessage();
// Adds the icon again after the taskbar was (re)created, with the image and
// tooltip last given, so a running countdown stays visible and cancellable;
// refused, it is offered again as at start-up.
BOOL RestoreTrayIcon(HWND bar);
