#include "base/windows_version.h"

#include "base/system_library.h"

namespace {

typedef LONG(WINAPI* RtlGetVersionFunction)(OSVERSIONINFOW*);

}  // namespace

DWORD WindowsMajorVersion()
{
    RtlGetVersionFunction get = reinterpret_cast<RtlGetVersionFunction>(
        reinterpret_cast<void*>(SystemLibraryFunction(L"ntdll.dll", "RtlGetVersion")));
    OSVERSIONINFOW version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    return get != nullptr && get(&version) == 0 ? version.dwMajorVersion : 0;
}
