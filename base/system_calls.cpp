#include "base/system_calls.h"

#include "base/ui_resources.h"

SystemCalls g_system = {
    GetSystemPowerStatus, GetLocalTime, GetSystemTimeAsFileTime, GetModuleFileNameW, RegOpenKeyExW, UiDialogBox,
};
