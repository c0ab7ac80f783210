// Stands in for base/windows_version.cpp: the library under test runs as on
// Windows 10 or 11, where DWM draws every caption, while Wine reports 7.
#include "base/windows_version.h"

DWORD WindowsMajorVersion()
{
    return 10;
}

DWORD WindowsMinorVersion()
{
    return 0;
}
