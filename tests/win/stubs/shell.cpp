// The shell's tray calls for every Windows test, recorded instead of made,
// and what it says of the user's notifications, answered as a test tells.
#include <windows.h>
#include <shellapi.h>

#include "tests/win/fakes.h"
#include "harness/system_stand_in.h"

namespace {

BOOL WINAPI RecordShellCall(DWORD message, PNOTIFYICONDATAW data)
{
    fakes::g_shellMessages.push_back(message);
    fakes::g_shellData.push_back(*data);
    if (message == NIM_ADD) {
        if (fakes::g_shellRefusals > 0) {
            --fakes::g_shellRefusals;
            return FALSE;
        }
        fakes::g_shellHoldsIcon = TRUE;
        return TRUE;
    }
    // The shell changes only an icon it holds.
    return message != NIM_MODIFY || fakes::g_shellHoldsIcon;
}

HRESULT WINAPI NotificationState(QUERY_USER_NOTIFICATION_STATE* state)
{
    *state = fakes::g_notificationState;
    return S_OK;
}

}  // namespace

STAND_IN(Shell_NotifyIconW, 8, RecordShellCall);
STAND_IN(SHQueryUserNotificationState, 4, NotificationState);
