// One-time start-up of the program.
#pragma once

#include <windows.h>

// The bar window's title, from the string table, and the bar once made. Its
// class is the library's BAR_WINDOW_CLASS, never translated.
extern WCHAR g_windowTitle[100];
extern HWND g_barWindow;

void RegisterBarClass(HINSTANCE instance);

// Loads settings and drawing resources, creates and shows the bar. Returns
// nonzero on success, 0 when the bar window cannot be created.
BOOL InitInstance(HINSTANCE instance, int showCommand);
