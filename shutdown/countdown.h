// Running an auto-shutdown in the bar: start, the minute step, the
// confirmation, cancel and the return to the battery display.
#pragma once

#include <windows.h>

// Command 32777: opens the Auto-shutdown dialog while idle (or brings the
// open one forward), offers to cancel otherwise.
void OnAutoShutdownCommand(HWND bar);

// IDT_SHUTDOWN: one minute less; at zero the confirmation and the power-off.
void OnShutdownTick(HWND bar);
