// One-time start-up of the program.
#pragma once

#include <windows.h>

void RegisterBarClass(HINSTANCE instance);

// Loads settings and drawing resources, creates and shows the bar. Returns
// nonzero on success, 0 when the bar window cannot be created.
BOOL InitInstance(HINSTANCE instance, int showCommand);
