// The version of Windows the program runs on.
#pragma once

#include <windows.h>

// The true major and minor versions (10.0 on Windows 10 and 11): GetVersionEx
// reports what the manifest declares at most. 0 where they cannot be read.
DWORD WindowsMajorVersion();
DWORD WindowsMinorVersion();
// The build of Windows 10 or 11 (22000 and later are 11); 0 on older
// systems or where it cannot be read.
DWORD WindowsBuildNumber();
