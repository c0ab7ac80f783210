#include "base/system_calls.h"

#include <powrprof.h>

SystemCalls g_system = {
    GetSystemPowerStatus, CallNtPowerInformation, GetLocalTime,    GetSystemTimeAsFileTime,
    GetModuleFileNameW,   RegOpenKeyExW,          DialogBoxParamW,
};
