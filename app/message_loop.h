// The program's message loop, with the accelerators of the About box.
#pragma once

#include <windows.h>

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop(HACCEL accelerators);
