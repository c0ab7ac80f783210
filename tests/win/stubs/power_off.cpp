// The power-off and the power request for every Windows test: nothing is
// switched off, not even the Wine session, and the machine's sleep is not
// touched. ExitWindowsEx is recorded and answered with g_exitResult;
// InitiateShutdownW answers g_initiateResult (Wine 8's "not implemented" by
// default, so the program falls back as it does there). The power request
// stands in for Windows' own, which Wine 8 cannot make (it answers
// INVALID_HANDLE_VALUE) unless g_powerRequestsWork.
#include <windows.h>

#include "tests/win/fakes.h"
#include "harness/system_stand_in.h"

namespace {

BOOL WINAPI PowerOff(UINT flags, DWORD reason)
{
    fakes::g_exitFlags.push_back(flags);
    fakes::g_shutdownReasons.push_back(reason);
    if (fakes::g_whilePoweringOff)
        fakes::g_whilePoweringOff();
    if (!fakes::g_exitResult)
        SetLastError(fakes::g_exitError);
    return fakes::g_exitResult;
}

DWORD WINAPI StartShutdown(LPWSTR, LPWSTR, DWORD, DWORD flags, DWORD reason)
{
    fakes::g_initiateFlags.push_back(flags);
    if (fakes::g_initiateResult == ERROR_CALL_NOT_IMPLEMENTED)
        return ERROR_CALL_NOT_IMPLEMENTED;
    fakes::g_shutdownReasons.push_back(reason);
    if (fakes::g_whilePoweringOff)
        fakes::g_whilePoweringOff();
    return fakes::g_initiateResult;
}

HANDLE WINAPI CreateRequest(PREASON_CONTEXT context)
{
    if (!fakes::g_powerRequestsWork)
        return INVALID_HANDLE_VALUE;
    fakes::g_awakeReason = context->Reason.SimpleReasonString;
    return CreateEventW(nullptr, FALSE, FALSE, nullptr);  // a real handle, so that a leak shows
}

BOOL WINAPI SetRequest(HANDLE, POWER_REQUEST_TYPE type)
{
    if (type == PowerRequestSystemRequired)
        ++fakes::g_awakeRequests;
    return TRUE;
}

BOOL WINAPI ClearRequest(HANDLE, POWER_REQUEST_TYPE type)
{
    if (type == PowerRequestSystemRequired)
        --fakes::g_awakeRequests;
    return TRUE;
}

EXECUTION_STATE WINAPI ExecutionState(EXECUTION_STATE state)
{
    EXECUTION_STATE const before = fakes::g_executionState;
    if (state & ES_CONTINUOUS)
        fakes::g_executionState = state;
    return before == 0 ? ES_CONTINUOUS : before;
}

}  // namespace

STAND_IN(ExitWindowsEx, 8, PowerOff);
STAND_IN(InitiateShutdownW, 20, StartShutdown);
STAND_IN(PowerCreateRequest, 4, CreateRequest);
STAND_IN(PowerSetRequest, 8, SetRequest);
STAND_IN(PowerClearRequest, 8, ClearRequest);
STAND_IN(SetThreadExecutionState, 4, ExecutionState);
