// TrackPopupMenu for every Windows test: no modal menu; g_tracking, when
// set, looks at the menu instead.
#include <windows.h>

#include "tests/win/fakes.h"
#include "harness/system_stand_in.h"

namespace {

BOOL WINAPI Track(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, RECT const* exclude)
{
    return fakes::g_tracking ? fakes::g_tracking(menu, flags, x, y, reserved, owner, exclude) : TRUE;
}

}  // namespace

STAND_IN(TrackPopupMenu, 28, Track);
