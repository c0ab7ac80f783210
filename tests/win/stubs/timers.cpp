// SetTimer and KillTimer for every Windows test: the real timers, with the
// period of the bar's refresh timer (IDT_REFRESH on any window but a
// dialog, whose timer 1 is the confirmation's second) kept for
// RefreshPeriodInUse.
#include <windows.h>

#include "base/messages.h"
#include "harness/system_stand_in.h"
#include "tests/win/fakes.h"

namespace {

uint32_t g_refreshPeriod;

bool IsRefreshTimer(HWND window, UINT_PTR id)
{
    WCHAR name[16] = L"";
    GetClassNameW(window, name, ARRAYSIZE(name));
    return id == IDT_REFRESH && window != nullptr && lstrcmpW(name, L"#32770") != 0;
}

UINT_PTR WINAPI StartTimer(HWND window, UINT_PTR id, UINT period, TIMERPROC procedure)
{
    static auto const real = reinterpret_cast<decltype(&SetTimer)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetTimer")));
    UINT_PTR const started = real(window, id, period, procedure);
    if (started != 0 && IsRefreshTimer(window, id))
        g_refreshPeriod = period;
    return started;
}

BOOL WINAPI StopTimer(HWND window, UINT_PTR id)
{
    static auto const real = reinterpret_cast<decltype(&KillTimer)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "KillTimer")));
    if (IsRefreshTimer(window, id))
        g_refreshPeriod = 0;
    return real(window, id);
}

}  // namespace

uint32_t RefreshPeriodInUse()
{
    return g_refreshPeriod;
}

STAND_IN(SetTimer, 16, StartTimer);
STAND_IN(KillTimer, 8, StopTimer);
