// Running an auto-shutdown in the bar: start, the minute step, the
// confirmation, cancel and the return to the battery display. The countdown's
// state lives here and nowhere else.
#pragma once

#include <windows.h>

#include "shutdown/countdown_logic.h"

// Command 32777: opens the Auto-shutdown dialog while idle (or brings the
// open one forward), offers to cancel otherwise.
void OnAutoShutdownCommand(HWND bar);

// IDT_SHUTDOWN: one minute less; at zero the confirmation and the power-off.
void OnShutdownTick(HWND bar);

// From OK in the Auto-shutdown dialog until it is cancelled or declined;
// also while the confirmation is open and after a refused power-off.
bool IsAutoShutdownRunning();

ShutdownState AutoShutdownState();
LONG AutoShutdownMinutesTotal();
LONG AutoShutdownMinutesLeft();

// Tests only: puts the countdown in a state with the minutes left, touching
// no window, timer or dialog (SHUTDOWN_IDLE, 0: as a new run of the program).
void SetAutoShutdownForTests(ShutdownState state, LONG minutesLeft);
