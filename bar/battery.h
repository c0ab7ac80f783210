// Reading the system power status into percent, PowerState and the bar text.
#pragma once

#include <windows.h>

// The power-status reader; tests replace it with a supplied reading.
extern BOOL(WINAPI* g_getSystemPowerStatus)(LPSYSTEM_POWER_STATUS);

// Rewrites percent, PowerState and the bar text of the SettingsBlock.
// Returns 1 when the system reported a charge percentage, else 0.
// Invalidates nothing: callers repaint what they need.
int SampleBattery();
