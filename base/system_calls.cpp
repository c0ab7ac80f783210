#include "base/system_calls.h"

SystemCalls g_system = {
    GetSystemPowerStatus, GetLocalTime, GetSystemTimeAsFileTime, GetModuleFileNameW, RegOpenKeyExW, DialogBoxParamW,
};
