// The desktop behind every window: no caption, no carrier.
#pragma once

#include <windows.h>

// The desktop window, the shell's, or Explorer's own desktop windows
// (which cover the monitor too).
bool IsDesktopWindow(HWND window);
