#include "shutdown/power_off.h"

#include <reason.h>

#include "base/system_calls.h"

namespace {

// Not in every SDK's headers.
DWORD const SHUTDOWN_USERS_LOGGED_ON = 1190;  // ERROR_SHUTDOWN_USERS_LOGGED_ON

DWORD const PLANNED = SHTDN_REASON_FLAG_PLANNED | SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER;

bool EnableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return false;
    TOKEN_PRIVILEGES privileges;
    ZeroMemory(&privileges, sizeof privileges);
    privileges.PrivilegeCount = 1;
    LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid);
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    BOOL const adjusted = AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
    return adjusted != FALSE;
}

PowerOffResult ResultOf(DWORD error)
{
    if (error == ERROR_SUCCESS)
        return POWER_OFF_STARTED;
    return error == SHUTDOWN_USERS_LOGGED_ON ? POWER_OFF_OTHER_USERS : POWER_OFF_FAILED;
}

PowerOffResult ExitWindowsWith(UINT flags)
{
    if (ExitWindowsEx(flags, PLANNED))
        return POWER_OFF_STARTED;
    DWORD const error = GetLastError();
    return ResultOf(error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error);
}

}  // namespace

PowerOffResult ShutdownSystem(bool forced, bool restart)
{
    if (!EnableShutdownPrivilege())
        return POWER_OFF_FAILED;
    UINT const how = restart ? EWX_REBOOT : EWX_SHUTDOWN | EWX_POWEROFF;
    if (!forced)
        return ExitWindowsWith(how | EWX_FORCEIFHUNG);
    // EWX_FORCE does nothing where terminal services run, as on every
    // Windows 10 and 11: this is the call that forces there. Without
    // SHUTDOWN_FORCE_OTHERS it fails rather than end other users' sessions.
    DWORD const error = InitiateShutdownW(nullptr, nullptr, 0,
                                          (restart ? SHUTDOWN_RESTART : SHUTDOWN_POWEROFF) | SHUTDOWN_FORCE_SELF, PLANNED);
    if (error != ERROR_CALL_NOT_IMPLEMENTED)
        return ResultOf(error);
    return ExitWindowsWith(how | EWX_FORCE);
}

SleepStates MachineSleepStates()
{
    SYSTEM_POWER_CAPABILITIES capabilities;
    ZeroMemory(&capabilities, sizeof capabilities);
    if (!g_system.GetPwrCapabilities(&capabilities))
        return SleepStates{};
    // AoAc, Modern Standby, is the third byte after FastSystemS4 (after
    // Hiberboot and WakeAlarmPresent); older SDKs call the three spare.
    bool const modernStandby = reinterpret_cast<BYTE const*>(&capabilities.FastSystemS4)[3] != 0;
    return SleepStates{capabilities.SystemS1 != 0, capabilities.SystemS2 != 0,  capabilities.SystemS3 != 0,
                       capabilities.SystemS4 != 0, capabilities.HiberFilePresent != 0, modernStandby};
}

bool SuspendSystem(HWND bar, bool hibernate)
{
    if (!EnableShutdownPrivilege())
        return false;
    SleepStates const states = MachineSleepStates();
    if (!hibernate && states.modernStandby && !states.s1 && !states.s2 && !states.s3) {
        // There SetSuspendState(FALSE) hibernates instead: a Modern Standby
        // laptop sleeps when its display goes off, as with its power button.
        DefWindowProcW(bar, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
        return true;
    }
    return g_system.SetSuspendState(hibernate ? TRUE : FALSE, FALSE, FALSE) != FALSE;
}
