// Command IDM_OPTIONS: the Options dialog, and taking its result back into
// the running bar.
#pragma once

#include <windows.h>

#include "options/option_changes.h"

// Opens the Options dialog on the stored values (or brings the open one
// forward). True, with *chosen filled, when the user left it with OK.
bool OnOptionsCommand(HWND bar, OptionValues* chosen);

// Takes the chosen values into the settings and the running bar, each
// changed value with its own immediate effect (a new language: for what is
// loaded from then on, see SetUiLanguage). While an auto-shutdown runs
// the countdown owns the timers, so a new interval is only stored.
void ApplyOptions(HWND bar, OptionValues const& chosen, bool countdownRunning);
