// ExitWindowsEx for every Windows test: nothing is switched off, not even
// the Wine session; the flags are recorded and answered with g_exitResult.
#include <windows.h>

#include "tests/win/fakes.h"
#include "harness/system_stand_in.h"

namespace {

BOOL WINAPI PowerOff(UINT flags, DWORD)
{
    fakes::g_exitFlags.push_back(flags);
    if (fakes::g_whilePoweringOff)
        fakes::g_whilePoweringOff();
    return fakes::g_exitResult;
}

}  // namespace

STAND_IN(ExitWindowsEx, 8, PowerOff);
