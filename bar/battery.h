// Reading the system power status into what the bar shows.
#pragma once

#include <windows.h>

#include <cstdint>

// Rewrites the percent, PowerState and text of the bar's view.
// Returns 1 when the system reported a charge percentage, else 0.
// Invalidates nothing: callers repaint what they need.
int SampleBattery();

// The refresh timer IDT_REFRESH, at the stored interval clamped to 1 s .. 1 h;
// starting it again restarts it at the new period.
void StartRefresh(HWND bar, int32_t interval);
void StopRefresh(HWND bar);

// The battery again, read now, over the whole bar (after a countdown).
void ShowBattery(HWND bar);

// IDT_REFRESH: samples the battery and repaints only the strip whose content
// changed; a reading without a percentage stops the refresh.
void OnRefreshTick(HWND bar);
