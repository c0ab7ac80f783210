#include "base/windows_version.h"

namespace {

typedef LONG(WINAPI* RtlGetVersionFunction)(OSVERSIONINFOW*);

}  // namespace

DWORD WindowsMajorVersion()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    RtlGetVersionFunction get = ntdll == nullptr ? nullptr
                                                 : reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void*>(
                                                       GetProcAddress(ntdll, "RtlGetVersion")));
    OSVERSIONINFOW version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    return get != nullptr && get(&version) == 0 ? version.dwMajorVersion : 0;
}
