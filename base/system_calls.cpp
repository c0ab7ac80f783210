#include "base/system_calls.h"

#include <powrprof.h>

#include "base/system_library.h"
#include "base/ui_resources.h"

namespace {

// powrprof is taken when the battery is first read, not when the program is
// loaded: one library less on the way to the bar.
LONG WINAPI PowerInformation(POWER_INFORMATION_LEVEL level, PVOID input, ULONG inputSize, PVOID output,
                             ULONG outputSize)
{
    typedef LONG(WINAPI * Function)(POWER_INFORMATION_LEVEL, PVOID, ULONG, PVOID, ULONG);
    static Function const call =
        reinterpret_cast<Function>(reinterpret_cast<void*>(SystemLibraryFunction(L"powrprof.dll", "CallNtPowerInformation")));
    // STATUS_NOT_IMPLEMENTED: the caller then goes on without the details.
    return call != nullptr ? call(level, input, inputSize, output, outputSize) : static_cast<LONG>(0xC0000002L);
}

// Only the Auto-shutdown dialog and a sleep ask these.
BOOLEAN WINAPI PowerCapabilities(PSYSTEM_POWER_CAPABILITIES capabilities)
{
    typedef BOOLEAN(WINAPI * Function)(PSYSTEM_POWER_CAPABILITIES);
    Function const call =
        reinterpret_cast<Function>(reinterpret_cast<void*>(SystemLibraryFunction(L"powrprof.dll", "GetPwrCapabilities")));
    return call != nullptr ? call(capabilities) : FALSE;
}

BOOLEAN WINAPI SuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeEventsOff)
{
    typedef BOOLEAN(WINAPI * Function)(BOOLEAN, BOOLEAN, BOOLEAN);
    Function const call =
        reinterpret_cast<Function>(reinterpret_cast<void*>(SystemLibraryFunction(L"powrprof.dll", "SetSuspendState")));
    return call != nullptr ? call(hibernate, force, wakeEventsOff) : FALSE;
}

}  // namespace

SystemCalls g_system = {
    GetSystemPowerStatus, PowerInformation, GetLocalTime, GetSystemTimeAsFileTime, GetModuleFileNameW,
    RegOpenKeyExW,        UiDialogBox,      PowerCapabilities, SuspendState,
};
