#include "shutdown/session_presence.h"

#include <wtsapi32.h>

#include "base/messages.h"
#include "base/windows_version.h"

namespace {

// WTSSessionInfoEx and its level-1 record, which older SDKs lack.
WTS_INFO_CLASS const SESSION_INFO_EX = static_cast<WTS_INFO_CLASS>(25);
LONG const SESSIONSTATE_LOCK = 0;
LONG const SESSIONSTATE_UNLOCK = 1;

struct SessionInfoLevel1 {
    ULONG sessionId;
    WTS_CONNECTSTATE_CLASS sessionState;
    LONG sessionFlags;
    WCHAR winStationName[33];
    WCHAR userName[21];
    WCHAR domainName[18];
    LARGE_INTEGER times[5];
    DWORD counters[6];
};

struct SessionInfoEx {
    DWORD level;
    SessionInfoLevel1 level1;
};

UINT const SESSION_RETRY_MS = 5000;

bool g_registered;
bool g_locked;
bool g_detached;
bool g_displayOff;
HPOWERNOTIFY g_displayNotification;

bool AtTheConsole()
{
    DWORD session = 0;
    if (!ProcessIdToSessionId(GetCurrentProcessId(), &session))
        return true;
    DWORD const console = WTSGetActiveConsoleSessionId();
    return console == 0xFFFFFFFF || console == session;
}

void Register(HWND bar)
{
    // Fails with RPC_S_INVALID_BINDING until the terminal service is up,
    // which a program started with Windows can be ahead of.
    g_registered = WTSRegisterSessionNotification(bar, NOTIFY_FOR_THIS_SESSION) != FALSE;
    if (g_registered)
        KillTimer(bar, IDT_SESSION_RETRY);
    else
        SetTimer(bar, IDT_SESSION_RETRY, SESSION_RETRY_MS, nullptr);
}

}  // namespace

void FollowSession(HWND bar)
{
    g_locked = g_detached = g_displayOff = false;
    Register(bar);
    AskSessionState();
}

void StopFollowingSession(HWND bar)
{
    KillTimer(bar, IDT_SESSION_RETRY);
    if (g_registered)
        WTSUnRegisterSessionNotification(bar);
    g_registered = false;
    StopWatchingDisplay();
}

void OnSessionRetry(HWND bar)
{
    if (g_registered)
        return;
    Register(bar);
    // Changes may have come and gone unheard meanwhile.
    if (g_registered)
        AskSessionState();
}

void AskSessionState()
{
    LPWSTR buffer = nullptr;
    DWORD bytes = 0;
    if (!WTSQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, SESSION_INFO_EX, &buffer,
                                     &bytes) ||
        buffer == nullptr)
        return;
    if (bytes >= sizeof(SessionInfoEx)) {
        SessionInfoEx const* info = reinterpret_cast<SessionInfoEx const*>(buffer);
        if (info->level == 1) {
            g_detached = info->level1.sessionState != WTSActive;
            LONG flags = info->level1.sessionFlags;
            // Windows 7 reports the two the other way round.
            if (WindowsMajorVersion() == 6 && WindowsMinorVersion() == 1 &&
                (flags == SESSIONSTATE_LOCK || flags == SESSIONSTATE_UNLOCK))
                flags = flags == SESSIONSTATE_LOCK ? SESSIONSTATE_UNLOCK : SESSIONSTATE_LOCK;
            if (flags == SESSIONSTATE_LOCK)
                g_locked = true;
            else if (flags == SESSIONSTATE_UNLOCK)
                g_locked = false;
        }
    }
    WTSFreeMemory(buffer);
}

void WatchDisplay(HWND bar)
{
    // Windows answers the registration at once with the display's state.
    if (g_displayNotification == nullptr)
        g_displayNotification =
            RegisterPowerSettingNotification(bar, &GUID_CONSOLE_DISPLAY_STATE, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void StopWatchingDisplay()
{
    if (g_displayNotification != nullptr)
        UnregisterPowerSettingNotification(g_displayNotification);
    g_displayNotification = nullptr;
    g_displayOff = false;
}

bool NoteSessionChange(WPARAM event)
{
    bool const before = IsPersonPresent(), attachedBefore = IsSessionAttached();
    switch (event) {
    case WTS_SESSION_LOCK:
        g_locked = true;
        break;
    case WTS_SESSION_UNLOCK:
        g_locked = false;
        break;
    case WTS_CONSOLE_DISCONNECT:
    case WTS_REMOTE_DISCONNECT:
        g_detached = true;
        break;
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT:
        g_detached = false;
        break;
    }
    return IsPersonPresent() != before || IsSessionAttached() != attachedBefore;
}

bool NoteDisplayState(POWERBROADCAST_SETTING const* setting)
{
    if (setting == nullptr || !IsEqualGUID(setting->PowerSetting, GUID_CONSOLE_DISPLAY_STATE) ||
        setting->DataLength < sizeof(DWORD))
        return false;
    bool const before = IsPersonPresent();
    DWORD state;
    CopyMemory(&state, setting->Data, sizeof state);
    g_displayOff = state == 0;  // 1 on, 2 dimmed: someone may be looking
    return IsPersonPresent() != before;
}

bool IsSessionAttached()
{
    return !g_detached;
}

bool IsPersonPresent()
{
    return !g_locked && !g_detached && !(g_displayOff && AtTheConsole());
}
