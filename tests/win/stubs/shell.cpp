// The shell's tray calls for every Windows test, recorded instead of made.
#include <windows.h>
#include <shellapi.h>

#include "tests/win/fakes.h"
#include "tools/system_stand_in.h"

namespace {

BOOL WINAPI RecordShellCall(DWORD message, PNOTIFYICONDATAW data)
{
    fakes::g_shellMessages.push_back(message);
    fakes::g_shellData.push_back(*data);
    return TRUE;
}

}  // namespace

STAND_IN(Shell_NotifyIconW, 8, RecordShellCall);
