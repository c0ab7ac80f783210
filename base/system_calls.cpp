#include "base/system_calls.h"

#include <powrprof.h>

#include "base/system_library.h"
#include "base/ui_resources.h"

namespace {

// A function of a library only a few paths need, taken when first called;
// null where the library or the function is missing.
template <typename Function>
Function Taken(wchar_t const* library, char const* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemLibraryFunction(library, name)));
}

// powrprof is taken when the battery is first read, not when the program is
// loaded: one library less on the way to the bar.
LONG WINAPI PowerInformation(POWER_INFORMATION_LEVEL level, PVOID input, ULONG inputSize, PVOID output,
                             ULONG outputSize)
{
    static auto const call =
        Taken<LONG(WINAPI*)(POWER_INFORMATION_LEVEL, PVOID, ULONG, PVOID, ULONG)>(L"powrprof.dll", "CallNtPowerInformation");
    // STATUS_NOT_IMPLEMENTED: the caller then goes on without the details.
    return call != nullptr ? call(level, input, inputSize, output, outputSize) : static_cast<LONG>(0xC0000002L);
}

// Only the Auto-shutdown dialog and a sleep ask these.
BOOLEAN WINAPI PowerCapabilities(PSYSTEM_POWER_CAPABILITIES capabilities)
{
    auto const call = Taken<BOOLEAN(WINAPI*)(PSYSTEM_POWER_CAPABILITIES)>(L"powrprof.dll", "GetPwrCapabilities");
    return call != nullptr ? call(capabilities) : FALSE;
}

BOOLEAN WINAPI SuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeEventsOff)
{
    auto const call = Taken<BOOLEAN(WINAPI*)(BOOLEAN, BOOLEAN, BOOLEAN)>(L"powrprof.dll", "SetSuspendState");
    return call != nullptr ? call(hibernate, force, wakeEventsOff) : FALSE;
}

// setupapi's four, for the Battery details window alone: a missing library
// or function reads as no battery device.
template <typename Function>
Function Setupapi(char const* name)
{
    return Taken<Function>(L"setupapi.dll", name);
}

HDEVINFO WINAPI ClassDevices(GUID const* classGuid, PCWSTR enumerator, HWND parent, DWORD flags)
{
    auto const call = Setupapi<HDEVINFO(WINAPI*)(GUID const*, PCWSTR, HWND, DWORD)>("SetupDiGetClassDevsW");
    return call != nullptr ? call(classGuid, enumerator, parent, flags) : INVALID_HANDLE_VALUE;
}

BOOL WINAPI EnumInterfaces(HDEVINFO list, PSP_DEVINFO_DATA device, GUID const* interfaceGuid, DWORD index,
                           PSP_DEVICE_INTERFACE_DATA data)
{
    auto const call = Setupapi<BOOL(WINAPI*)(HDEVINFO, PSP_DEVINFO_DATA, GUID const*, DWORD, PSP_DEVICE_INTERFACE_DATA)>(
        "SetupDiEnumDeviceInterfaces");
    return call != nullptr && call(list, device, interfaceGuid, index, data);
}

BOOL WINAPI InterfaceDetail(HDEVINFO list, PSP_DEVICE_INTERFACE_DATA data, PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail,
                            DWORD size, PDWORD needed, PSP_DEVINFO_DATA device)
{
    auto const call = Setupapi<BOOL(WINAPI*)(HDEVINFO, PSP_DEVICE_INTERFACE_DATA, PSP_DEVICE_INTERFACE_DETAIL_DATA_W,
                                             DWORD, PDWORD, PSP_DEVINFO_DATA)>("SetupDiGetDeviceInterfaceDetailW");
    return call != nullptr && call(list, data, detail, size, needed, device);
}

BOOL WINAPI DestroyList(HDEVINFO list)
{
    auto const call = Setupapi<BOOL(WINAPI*)(HDEVINFO)>("SetupDiDestroyDeviceInfoList");
    return call != nullptr && call(list);
}

}  // namespace

SystemCalls g_system = {
    GetSystemPowerStatus, PowerInformation, GetLocalTime, GetSystemTimeAsFileTime, GetModuleFileNameW,
    RegOpenKeyExW,        UiDialogBox,      PowerCapabilities, SuspendState,       ClassDevices,
    EnumInterfaces,       InterfaceDetail,  DestroyList,
};
