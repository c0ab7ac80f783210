// What the tests of the real bar window share: a battery reading the test
// sets, a record of the shell calls, hook calls that do nothing (so the bar
// floats), and the bar's class registered the way start-up registers it.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "app/init.h"
#include "app/state.h"
#include "bar/battery.h"
#include "hook/hook_library.h"
#include "res/resource.h"
#include "tray/tray_icon.h"

// The XP-size tray record the program hands the shell: 952 bytes in the
// shipped 32-bit build, 968 where the same code is built for x86-64.
DWORD const XP_TRAY_RECORD_SIZE = sizeof(void*) == 4 ? 952 : 968;
static_assert(NOTIFYICONDATAW_V3_SIZE == XP_TRAY_RECORD_SIZE, "the tray record has the XP size");

namespace bar_fixture {

inline SYSTEM_POWER_STATUS g_reading;
inline BOOL g_readingResult = TRUE;
inline int g_reads;

inline BOOL WINAPI FakePowerStatus(LPSYSTEM_POWER_STATUS status)
{
    ++g_reads;
    *status = g_reading;
    return g_readingResult;
}

// What the next GetSystemPowerStatus returns; result FALSE makes it fail.
inline void SetReading(BYTE ac, BYTE flag, BYTE percent, BOOL result = TRUE)
{
    ZeroMemory(&g_reading, sizeof g_reading);
    g_reading.ACLineStatus = ac;
    g_reading.BatteryFlag = flag;
    g_reading.BatteryLifePercent = percent;
    g_readingResult = result;
}

inline std::vector<DWORD> g_shellMessages;
inline std::vector<NOTIFYICONDATAW> g_shellData;

inline BOOL WINAPI RecordShellCall(DWORD message, PNOTIFYICONDATAW data)
{
    g_shellMessages.push_back(message);
    g_shellData.push_back(*data);
    return TRUE;
}

inline int WINAPI NoHook()
{
    return 1;
}

inline int WINAPI NeverAdhere(HWND, RECT*)
{
    return FALSE;
}

inline void WINAPI NoMove(HWND, RECT*) {}

// A floating bar on 57 % discharging whose tray calls are recorded, not made.
inline void UseFakeSeams()
{
    g_getSystemPowerStatus = FakePowerStatus;
    g_shellNotifyIcon = RecordShellCall;
    g_installCbtHook = NoHook;
    g_canAdhere = NeverAdhere;
    g_moveOwnerWindow = NoMove;
    g_shellMessages.clear();
    g_shellData.clear();
    g_reads = 0;
    SetReading(0, 1, 57);
}

inline void RegisterBar(HINSTANCE instance)
{
    LoadStringW(instance, IDS_APP_TITLE, g_windowTitle, ARRAYSIZE(g_windowTitle));
    LoadStringW(instance, IDC_BRISVANE, g_windowClass, ARRAYSIZE(g_windowClass));
    RegisterBarClass(instance);
}

// Destroys a bar the test left and drops what its teardown posted, so the
// next test's message loop starts empty.
inline void DestroyBar(HWND bar)
{
    if (bar != nullptr && IsWindow(bar))
        DestroyWindow(bar);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

}  // namespace bar_fixture
