// The user's session for every Windows test. Wine registers at once and
// knows one session it cannot describe (the query fails); Windows may
// refuse the registration until its terminal service is ready
// (g_sessionRegistrationsRefused) and tells how the session stands
// (g_sessionAnswers: in use or switched away, locked or not).
#include <windows.h>
#include <wtsapi32.h>

#include <cstdlib>

#include "base/windows_version.h"
#include "tests/win/fakes.h"

// wtsapi32.h declares its functions without dllimport, so the program calls
// them by name rather than through their import pointers: defined here
// whole, they come before the import library in the link.
namespace {

// WTSSessionInfoEx's level-1 record as Windows lays it out (232 bytes in
// either width), as far as the program reads it.
struct InfoEx {
    DWORD level;
    DWORD alignment;  // the record's times are 8-byte aligned
    ULONG sessionId;
    WTS_CONNECTSTATE_CLASS state;
    LONG flags;
    BYTE rest[212];
};

}  // namespace

extern "C" BOOL WINAPI WTSRegisterSessionNotification(HWND, DWORD)
{
    ++fakes::g_sessionRegistrations;
    if (fakes::g_sessionRegistrationsRefused > 0) {
        --fakes::g_sessionRegistrationsRefused;
        SetLastError(RPC_S_INVALID_BINDING);
        return FALSE;
    }
    return TRUE;
}

extern "C" BOOL WINAPI WTSUnRegisterSessionNotification(HWND)
{
    return TRUE;
}

extern "C" BOOL WINAPI WTSQuerySessionInformationW(HANDLE, DWORD, WTS_INFO_CLASS infoClass, LPWSTR* buffer,
                                                   DWORD* bytes)
{
    ++fakes::g_sessionQueries;
    if (!fakes::g_sessionAnswers || infoClass != static_cast<WTS_INFO_CLASS>(25)) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    InfoEx* info = static_cast<InfoEx*>(std::calloc(1, sizeof(InfoEx)));
    info->level = 1;
    info->sessionId = 1;
    info->state = fakes::g_sessionInUse ? WTSActive : WTSDisconnected;
    // WTS_SESSIONSTATE_LOCK 0, _UNLOCK 1; Windows 7, which Wine reports
    // being, has the two the other way round.
    bool const windows7 = WindowsMajorVersion() == 6 && WindowsMinorVersion() == 1;
    info->flags = fakes::g_sessionLocked != windows7 ? 0 : 1;
    *buffer = reinterpret_cast<LPWSTR>(info);
    *bytes = sizeof(InfoEx);
    return TRUE;
}

extern "C" void WINAPI WTSFreeMemory(PVOID memory)
{
    std::free(memory);
}
