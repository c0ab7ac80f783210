// The version of Windows the program runs on.
#pragma once

#include <windows.h>

// The true major and minor versions (10.0 on Windows 10 and 11): GetVersionEx
// reports what the manifest declares at most. 0 where they cannot be read.
DWORD WindowsMajorVersion();
DWORD WindowsMinorVersion();
