// The settings file beside the executable.
#pragma once

#include <windows.h>

// Fills the settings of the SettingsBlock and clears the auto-shutdown state.
void LoadSettings();
