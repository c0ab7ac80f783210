// The hooks of the test event source, by width. Each width takes its own
// kinds of hook: Wine 8 runs a global hook chain in a process only up to
// the first hook of the other width, so two sources sharing one chain would
// silence each other.
#pragma once

#include <windows.h>

bool const EVENT_SOURCE_64 = sizeof(void*) == 8;
// Window messages after the system has acted on them: moves, activation,
// destruction.
int const EVENT_SOURCE_WINDOW_HOOK = EVENT_SOURCE_64 ? WH_CALLWNDPROC : WH_CALLWNDPROCRET;
// Mouse moves as the program takes them from its queue.
int const EVENT_SOURCE_MOUSE_HOOK = EVENT_SOURCE_64 ? WH_GETMESSAGE : WH_MOUSE;
