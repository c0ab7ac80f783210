// The autostart entry under the Run key.
#pragma once

#include <windows.h>

// Writes (enabled nonzero) or deletes the Run value "Brisvane".
void UpdateAutostartEntry(LONG enabled);
