#include "base/windows_version.h"

namespace {

typedef LONG(WINAPI* RtlGetVersionFunction)(OSVERSIONINFOW*);

OSVERSIONINFOW TrueVersion()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    RtlGetVersionFunction get = ntdll == nullptr ? nullptr
                                                 : reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void*>(
                                                       GetProcAddress(ntdll, "RtlGetVersion")));
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
