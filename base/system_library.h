// A function of a system library that older Windows may lack, looked up at
// run time.
#pragma once

#include <windows.h>

// name from library (e.g. L"dwmapi.dll"), loaded from the system folder only,
// never one a program was started beside; the library stays loaded. Null
// where either is missing.
FARPROC SystemLibraryFunction(wchar_t const* library, char const* name);
