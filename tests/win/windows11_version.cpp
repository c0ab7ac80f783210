// Stands in for base/windows_version.cpp in app_mode_test: the program runs
// as on Windows 11 22H2 (build 22621), while Wine's prefix reports 7.
#include "base/windows_version.h"

DWORD WindowsMajorVersion()
{
    return 10;
}

DWORD WindowsMinorVersion()
{
    return 0;
}

DWORD WindowsBuildNumber()
{
    return 22621;
}
