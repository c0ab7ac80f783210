// Running an auto-shutdown in the bar: start, the minute step, the
// confirmation, cancel and the return to the battery display. The countdown's
// state lives here and nowhere else.
#pragma once

#include <windows.h>

#include "shutdown/countdown_logic.h"
#include "tray/tray_menu.h"

// Command 32777: opens the Auto-shutdown dialog while idle (or brings the
// open one forward), offers to cancel otherwise.
void OnAutoShutdownCommand(HWND bar);

// "延后10分钟" in the menu: ten minutes more for the countdown; at its
// confirmation, ten minutes from now, as the confirmation's own button.
void OnAddTenMinutesCommand(HWND bar);

// What the running countdown puts in the tray menu.
CountdownMenu AutoShutdownMenu();

// IDT_SHUTDOWN: the minutes left, from the deadline and the clock; at the
// deadline the confirmation and the power-off.
void OnShutdownTick(HWND bar);

// The machine woke up or the clock was set: the time left is worked out
// again at once, and a deadline passed meanwhile opens the confirmation.
void OnAutoShutdownClockChange(HWND bar);

// The machine woke up: as a clock change, and a deadline that passed before
// the wake waits for a person at the confirmation.
void OnAutoShutdownResume(HWND bar);

// WM_WTSSESSION_CHANGE: a confirmation waiting for a person counts only while
// the session is unlocked and on a screen.
void OnAutoShutdownSessionChange(WPARAM event);

// A console display state (GUID_CONSOLE_DISPLAY_STATE) while a countdown
// follows it: a confirmation waiting for a person counts only while it is on.
void OnAutoShutdownDisplayChange(POWERBROADCAST_SETTING const* setting);

// WM_ENDSESSION: a power-off under way that the session survives did not happen.
void OnAutoShutdownSessionEnd(HWND bar, bool ending);

// IDT_POWER_OFF_WATCH: a minute after the power-off began, the session is
// still there.
void OnPowerOffWatch(HWND bar);

// The bar is going: whatever the user was asked, nothing powers off now.
void OnAutoShutdownExit();

// The tooltip of the time left, set again in the current language.
void ShowAutoShutdownTip(HWND bar);

// From OK in the Auto-shutdown dialog until it is cancelled or declined;
// also while the confirmation is open, while the power-off is under way and
// after one that did not happen.
bool IsAutoShutdownRunning();
