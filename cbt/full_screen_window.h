// Whether the foreground window is a full-screen one (a video, a game, a
// presentation) on a monitor: then the bar keeps out of its way.
#pragma once

#include <windows.h>

// window is shown, on monitor, covers all of it and shows no caption there:
// neither a system caption on the monitor nor a self-drawn one (its top row
// answering caption with buttons beside it). Never the desktop.
bool IsFullScreenOn(HWND window, HMONITOR monitor);
