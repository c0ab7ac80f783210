// A function of a system library that older Windows may lack, or that only
// a few paths need, looked up at run time: the one way the program takes a
// function by its name.
#pragma once

#include <windows.h>

// name from library (e.g. L"dwmapi.dll"), loaded from the system folder only,
// never one a program was started beside; the library stays loaded. Null
// where either is missing.
FARPROC SystemLibraryFunction(wchar_t const* library, char const* name);
