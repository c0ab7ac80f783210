// The forced power-off at the end of an auto-shutdown.
#pragma once

#include <windows.h>

// The final system call; tests replace it so that nothing is switched off.
extern BOOL(WINAPI* g_exitWindowsEx)(UINT flags, DWORD reason);

// Enables the shutdown privilege and asks for a forced power-off.
// Returns 1 when the power-off has been set going, 0 when a step failed.
LONG ShutdownSystem();
