// The forced power-off at the end of an auto-shutdown.
#pragma once

#include <windows.h>

// Enables the shutdown privilege and asks for a forced power-off.
// Returns 1 when the power-off has been set going, 0 when a step failed.
LONG ShutdownSystem();
