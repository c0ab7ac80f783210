// The autostart entry under the Run key.
#pragma once

#include <windows.h>

// Writes (enabled) or deletes the Run value "Brisvane". The value
// goes under HKEY_LOCAL_MACHINE, or under HKEY_CURRENT_USER when the
// machine's key cannot be written (no administrator rights); switching off
// deletes it from both. Nothing is written when the program's directory is
// too long for the value's text.
void UpdateAutostartEntry(bool enabled);

// Seam: how the Run key is opened (RegOpenKeyExW by default).
extern LSTATUS(WINAPI* g_regOpenKeyEx)(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
