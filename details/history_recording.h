// What the battery does, written to the history file as it happens: the
// start and exit of the program, each change of charge, charger or
// charging, and each suspend and resume.
#pragma once

#include <windows.h>

// At start, after the first reading: opens the history (History on) and
// writes the start and the first sample.
void StartBatteryHistory(bool enabled);

// After each reading: a sample line when the percent, the charger or the
// charging state changed since the last line; an open Battery details
// window takes it in.
void RecordBatteryHistory();

// WM_POWERBROADCAST: a suspend line for PBT_APMSUSPEND; for the first of
// the resume events, a resume line at the bar's next reading, with the
// charge it woke with; nothing for the others.
void RecordPowerEventInHistory(WPARAM event);

// At exit (the session's end or the bar's teardown, whichever comes first):
// the exit line, once.
void EndBatteryHistory();
