// Which of the auto-shutdown's actions a machine can carry out, from what
// it reports of its power states (GetPwrCapabilities). Pure logic.
#pragma once

#include "settings/settings_table.h"

struct SleepStates {
    bool s1, s2, s3;    // the classic sleep states
    bool s4;            // hibernation
    bool hiberFile;     // a hibernation file to hibernate into
    bool modernStandby; // sleep is the display off, S0 low power idle
};

// Shutting down and restarting are always there; sleep where the machine
// has a sleep state, classic or Modern Standby; hibernation where it has
// S4 and its file.
bool ActionAvailable(ShutdownAction action, SleepStates const& states);
