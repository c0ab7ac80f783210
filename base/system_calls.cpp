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

}  // namespace

SystemCalls g_system = {
    GetSystemPowerStatus, PowerInformation, GetLocalTime,    GetSystemTimeAsFileTime,
    GetModuleFileNameW,   RegOpenKeyExW,          UiDialogBox,
};
