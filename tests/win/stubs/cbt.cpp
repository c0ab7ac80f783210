// CBT.dll's exports for the Windows tests that need no real library (linked
// in place of its import library; cbt_test takes the real one): the hooks
// are counted, CanAdhere answers as told and MoveOwnerWindow is recorded.
#include "cbt/cbt.h"

#include "tests/win/fakes.h"

using namespace fakes;

int WINAPI InstallCBTHook()
{
    ++g_installs;
    return 1;
}

int WINAPI FloatCBTHook()
{
    ++g_floats;
    return 1;
}

int WINAPI UninstallCBTHook()
{
    ++g_uninstalls;
    return 1;
}

int WINAPI CanAdhere(HWND, RECT* rect)
{
    ++g_canAdhereCalls;
    if (g_canAdhereAnswer)
        OffsetRect(rect, 5, 7);  // what the library leaves for MoveOwnerWindow
    return g_canAdhereAnswer;
}

void WINAPI MoveOwnerWindow(HWND, RECT* rect)
{
    ++g_moves;
    g_movedTo = *rect;
}
