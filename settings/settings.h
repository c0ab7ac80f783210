// The persisted settings and the settings file beside the executable.
#pragma once

#include <windows.h>

#include "settings/settings_table.h"

extern Settings g_settings;

// destination = the executable's directory + "\" + fileName. FALSE, with an
// empty destination, when the executable's path could not be read whole or
// the joined text does not fit in capacity characters (terminator included).
// The directory is read at each call (a few times a run).
BOOL ModuleDirectory(WCHAR* destination, size_t capacity, WCHAR const* fileName);

// Fills g_settings from the file. Without a usable INI path (a directory too long) the defaults apply.
void LoadSettings();

// Writes the settings and the bar's current position, once per LoadSettings:
// later calls do nothing, so the end of a session and the teardown after it
// cannot write twice. Without a usable INI path nothing is written.
void SaveSettings(HWND bar);

// Lets the next SaveSettings write again: the program runs on after a save
// made ahead of a power-off that was then refused.
void AllowSettingsSaveAgain();
