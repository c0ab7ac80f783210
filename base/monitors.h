// Monitors, their work areas and DPI, read from the window system. Works
// inside any process: the hook library uses it too.
#pragma once

#include <windows.h>

#include "base/monitor_scale.h"

// The work area (the monitor less the taskbar) of the monitor nearest to
// window; the primary monitor's for no window.
RECT WorkAreaNear(HWND window);

// True when some monitor shows part of rect.
bool IsOnAnyMonitor(RECT const& rect);

// The DPI half, in monitor_dpi.cpp.

// The DPI window is drawn at (the system's for no window); 96 where the
// system knows no other.
UINT DpiOfWindow(HWND window);

// A system metric at a DPI, where the system can tell; else at the system's.
int SystemMetricAtDpi(int index, UINT dpi);

// Every monitor with its own DPI (the system's where it cannot tell one
// monitor's); how many were read into monitors, at most max.
int ReadMonitorScales(MonitorScale* monitors, int max);
