// One-time start-up of the program.
#pragma once

#include <windows.h>

// The bar window's title and class, from the string table, and the bar once made.
extern WCHAR g_windowTitle[100];
extern WCHAR g_windowClass[100];
extern HWND g_barWindow;

void RegisterBarClass(HINSTANCE instance);

// Loads settings and drawing resources, creates and shows the bar. Returns
// nonzero on success, 0 when the bar window cannot be created.
BOOL InitInstance(HINSTANCE instance, int showCommand);
