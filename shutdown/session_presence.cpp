#include "shutdown/session_presence.h"

#include <wtsapi32.h>

namespace {

bool g_locked;
bool g_detached;

}  // namespace

void FollowSession(HWND bar)
{
    g_locked = g_detached = false;
    WTSRegisterSessionNotification(bar, NOTIFY_FOR_THIS_SESSION);
}

void StopFollowingSession(HWND bar)
{
    WTSUnRegisterSessionNotification(bar);
}

bool NoteSessionChange(WPARAM event)
{
    bool const before = IsPersonPresent();
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
    return IsPersonPresent() != before;
}

bool IsPersonPresent()
{
    return !g_locked && !g_detached;
}
