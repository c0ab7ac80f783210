// Windows' power-setting registrations for every Windows test: recorded,
// refused while a test says so, undone and counted. Wine would hand out a
// dummy handle and never notify; a test sends the notifications itself.
#include <windows.h>

#include "tests/win/fakes.h"
#include "harness/system_stand_in.h"

namespace {

HPOWERNOTIFY WINAPI RecordRegistration(HANDLE, LPCGUID setting, DWORD)
{
    if (fakes::g_refuseRegistrations)
        return nullptr;
    fakes::g_registered.push_back(*setting);
    return reinterpret_cast<HPOWERNOTIFY>(fakes::g_registered.size());
}

BOOL WINAPI CountUnregistration(HPOWERNOTIFY)
{
    ++fakes::g_unregistered;
    return TRUE;
}

}  // namespace

STAND_IN(RegisterPowerSettingNotification, 12, RecordRegistration);
STAND_IN(UnregisterPowerSettingNotification, 4, CountUnregistration);
