// The power-off at the end of an auto-shutdown.
#pragma once

#include <windows.h>

enum PowerOffResult {
    POWER_OFF_STARTED,       // under way: Windows now ends the session, or a program holds it up
    POWER_OFF_FAILED,        // Windows did not take the request
    POWER_OFF_OTHER_USERS,   // another user is signed in; their sessions are never forced
};

#include "shutdown/action_rules.h"

// Enables the shutdown privilege and asks for a planned power-off, or a
// restart. forced: other programs are ended without being asked, so none can
// hold it up; otherwise they are asked and may refuse (only hung ones are
// ended).
PowerOffResult ShutdownSystem(bool forced, bool restart = false);

// The machine's sleep states, as it reports them.
SleepStates MachineSleepStates();

// Sleeps or hibernates the machine as Start's own commands do; false when
// Windows did not.
bool SuspendSystem(HWND bar, bool hibernate);
