#include "base/system_calls.h"

#include <powrprof.h>

#include "base/ui_resources.h"

SystemCalls g_system = {
    GetSystemPowerStatus, CallNtPowerInformation, GetLocalTime,    GetSystemTimeAsFileTime,
    GetModuleFileNameW,   RegOpenKeyExW,          UiDialogBox,
};
