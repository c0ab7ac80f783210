#include "base/windows_version.h"

#include "base/system_library.h"

namespace {

typedef LONG(WINAPI* RtlGetVersionFunction)(OSVERSIONINFOW*);

OSVERSIONINFOW TrueVersion()
{
    RtlGetVersionFunction get = reinterpret_cast<RtlGetVersionFunction>(
        reinterpret_cast<void*>(SystemLibraryFunction(L"ntdll.dll", "RtlGetVersion")));
    OSVERSIONINFOW version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    if (get == nullptr || get(&version) != 0)
        version.dwMajorVersion = version.dwMinorVersion = 0;
    return version;
}

}  // namespace

DWORD WindowsMajorVersion()
{
    return TrueVersion().dwMajorVersion;
}

DWORD WindowsMinorVersion()
{
    return TrueVersion().dwMinorVersion;
}

DWORD WindowsBuildNumber()
{
    OSVERSIONINFOW const version = TrueVersion();
    return version.dwMajorVersion >= 10 ? version.dwBuildNumber : 0;
}
