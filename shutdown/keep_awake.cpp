#include "shutdown/keep_awake.h"

#include <windows.h>

#include "base/ui_resources.h"
#include "res/resource.h"

namespace {

HANDLE g_request = INVALID_HANDLE_VALUE;
bool g_executionState;  // held through SetThreadExecutionState instead
WCHAR g_reason[64];

HANDLE SystemRequiredRequest()
{
    LoadUiString(IDS_SHUTDOWN_AWAKE_REASON, g_reason, ARRAYSIZE(g_reason));
    REASON_CONTEXT context;
    ZeroMemory(&context, sizeof context);
    context.Version = POWER_REQUEST_CONTEXT_VERSION;
    context.Flags = POWER_REQUEST_CONTEXT_SIMPLE_STRING;
    context.Reason.SimpleReasonString = g_reason;
    HANDLE request = PowerCreateRequest(&context);
    if (request == INVALID_HANDLE_VALUE || request == nullptr)
        return INVALID_HANDLE_VALUE;
    if (!PowerSetRequest(request, PowerRequestSystemRequired)) {
        CloseHandle(request);
        return INVALID_HANDLE_VALUE;
    }
    return request;
}

}  // namespace

void KeepAwake()
{
    if (IsKeptAwake())
        return;
    g_request = SystemRequiredRequest();
    if (g_request == INVALID_HANDLE_VALUE)
        g_executionState = SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED) != 0;
}

void AllowSleep()
{
    if (g_request != INVALID_HANDLE_VALUE) {
        PowerClearRequest(g_request, PowerRequestSystemRequired);
        CloseHandle(g_request);
        g_request = INVALID_HANDLE_VALUE;
    }
    if (g_executionState) {
        SetThreadExecutionState(ES_CONTINUOUS);
        g_executionState = false;
    }
}

bool IsKeptAwake()
{
    return g_request != INVALID_HANDLE_VALUE || g_executionState;
}
