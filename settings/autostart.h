// The autostart entry under the Run key.
#pragma once

#include <windows.h>

// Writes (enabled) or deletes the Run value "Brisvane" of the current user.
// Switching off also deletes a machine-wide value an earlier version left,
// where the user may. Nothing is written when the program's directory is too
// long for the value's text.
void UpdateAutostartEntry(bool enabled);
