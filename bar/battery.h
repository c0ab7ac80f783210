// Reading the system power status into what the bar shows.
#pragma once

#include <windows.h>

// The power-status reader; tests replace it with a supplied reading.
extern BOOL(WINAPI* g_getSystemPowerStatus)(LPSYSTEM_POWER_STATUS);

// Rewrites the percent, PowerState and text of the bar's view.
// Returns 1 when the system reported a charge percentage, else 0.
// Invalidates nothing: callers repaint what they need.
int SampleBattery();

// IDT_REFRESH: samples the battery and repaints only the strip whose content
// changed; a reading without a percentage stops the refresh.
void OnRefreshTick(HWND bar);
