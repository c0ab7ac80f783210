// What every Windows test shares: the fakes that record or answer as told,
// linked in place of the system's calls (tests/win/stubs) or put in the rows
// of the program's table of system calls (base/system_calls.h), and one call, ResetFakes(), that puts
// the fakes and the program's own state back as a fresh start has them, so a
// fixture's set-up says only what is particular to it.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/init.h"
#include "harness/stand_ins/gdi_objects.h"
#include "bar/bar_state.h"
#include "bar/colour_facts.h"
#include "bar/battery.h"
#include "base/instance.h"
#include "base/messages.h"
#include "base/system_calls.h"
#include "base/ui_resources.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "shutdown/countdown.h"
#include "tray/tray_icon.h"

// The Vista-size tray record the program hands the shell, as version 4
// expects: 956 bytes in the shipped 32-bit build, 976 where the same code is
// built for x86-64.
DWORD const TRAY_RECORD_SIZE = sizeof(void*) == 4 ? 956 : 976;
static_assert(sizeof(NOTIFYICONDATAW) == TRAY_RECORD_SIZE, "the tray record has the Vista size");

namespace fakes {

// The battery: what the next GetSystemPowerStatus returns (result FALSE makes
// it fail), and how many readings were taken.
// Windows has no estimate of the time left in such a reading, and there is
// no battery state (CallNtPowerInformation fails) until SetBatteryState.
void SetReading(BYTE ac, BYTE flag, BYTE percent, BOOL result = TRUE);
extern int g_reads;
void SetBatteryState(DWORD lifeTime, bool charging, DWORD maxCapacity, DWORD remaining, DWORD rate);

// Power-setting registrations: the settings asked for (refused while
// g_refuseRegistrations), and how many handles were given back.
extern std::vector<GUID> g_registered;
extern bool g_refuseRegistrations;
extern int g_unregistered;

// What the shell says of the user's notifications (SHQueryUserNotificationState).
extern QUERY_USER_NOTIFICATION_STATE g_notificationState;

// The shell's tray calls, recorded instead of made; the next
// g_shellRefusals NIM_ADDs are refused, as by an Explorer not ready yet (or
// one that holds the icon already), and NIM_MODIFY unless g_shellHoldsIcon
// (true until a test says otherwise; a taken add sets it).
extern std::vector<DWORD> g_shellMessages;
extern std::vector<NOTIFYICONDATAW> g_shellData;
extern int g_shellRefusals;
extern BOOL g_shellHoldsIcon;

// The hook library: the hooks are counted, CanAdhere answers as told (and
// moves the rectangle by 5, 7 when it accepts), MoveOwnerWindow is recorded.
extern int g_installs;
extern int g_uninstalls;
extern int g_floats;
extern int g_canAdhereCalls;
extern BOOL g_canAdhereAnswer;
extern int g_moves;
extern RECT g_movedTo;

// Message boxes: recorded and answered with g_answer; g_whileShown runs
// while one would be open.
struct Shown {
    std::wstring text;
    std::wstring caption;
    UINT flags;
};
extern std::vector<Shown> g_shown;
extern int g_answer;
extern std::function<void()> g_whileShown;
// The system's own message box instead, for a test that drives its loop.
extern bool g_realMessageBox;

// Menus are never tracked; g_tracking, when set, is called instead.
extern std::function<BOOL(HMENU, UINT, int, int, int, HWND, RECT const*)> g_tracking;

// The battery devices (tests/win/stubs/battery_devices.cpp, linked into the
// tests that read them): the batteries the system reports, and what the
// device interface was asked.
struct FakeBattery {
    std::wstring name, maker;
    DWORD capabilities, designed, fullCharged, cycles;
};
extern std::vector<FakeBattery> g_batteries;
extern std::vector<DWORD> g_batteryOpenAccess;   // CreateFileW's access, per device opened
extern std::vector<DWORD> g_batteryClassFlags;   // SetupDiGetClassDevsW's flags, per call
extern int g_batteryListsOpen;                   // device lists not yet destroyed
extern std::vector<ULONG> g_batteryLevels;       // BATTERY_QUERY_INFORMATION levels asked

// The local time the auto-shutdown dialog reads.
extern SYSTEMTIME g_clock;
void SetClock(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second = 0);

// The UTC clock the countdown reads, moved on (or back) by the tests.
void MoveUtcClock(LONGLONG milliseconds);

// The power-off: ExitWindowsEx asked for with these flags, answered with
// g_exitResult (failing with g_exitError); InitiateShutdownW with these,
// answered g_initiateResult (ERROR_CALL_NOT_IMPLEMENTED, as Wine 8, is
// passed over); the reasons either was given; g_whilePoweringOff runs as
// one is asked for.
extern std::vector<UINT> g_exitFlags;
extern BOOL g_exitResult;
extern DWORD g_exitError;
extern std::vector<DWORD> g_initiateFlags;
extern DWORD g_initiateResult;
extern std::vector<DWORD> g_shutdownReasons;
extern std::function<void()> g_whilePoweringOff;

// Sleep: the power states the machine reports, and the suspends asked for
// (true: hibernate), answered with g_suspendResult.
extern SYSTEM_POWER_CAPABILITIES g_powerCapabilities;
extern std::vector<bool> g_suspends;
extern BOOLEAN g_suspendResult;

// Keeping the machine awake: PowerCreateRequest fails as in Wine 8 unless
// g_powerRequestsWork; the system-required requests set and not cleared,
// the last one's reason, and the thread's continuous execution state.
extern bool g_powerRequestsWork;
extern int g_awakeRequests;
extern std::wstring g_awakeReason;
extern EXECUTION_STATE g_executionState;

// The session: registrations asked for, and refused while this is above 0;
// queries asked, answered only while g_sessionAnswers, with the session in
// use or switched away from and locked or not.
extern int g_sessionRegistrations;
extern int g_sessionRegistrationsRefused;
extern int g_sessionQueries;
extern bool g_sessionAnswers;
extern bool g_sessionInUse;
extern bool g_sessionLocked;

// The system's caption-colour facts, as a Windows 10 desktop would report
// them: UseColourFacts() makes the bar read these instead of the real ones.
extern ColourFacts g_colourFacts;
void UseColourFacts();

// A window of this process for a test to probe or to lay under the bar,
// titled "carrier" and shown without activation; with proc, its class is
// first registered with that procedure (again is harmless).
HWND TestWindow(wchar_t const* className, DWORD style, int x, int y, int width, int height,
                WNDPROC proc = nullptr);

}  // namespace fakes

// Every fake as a fresh start has it (a floating bar on 57 % discharging, no
// hooks, no tray, menus never tracked, message boxes answered OK, no
// power-off) and, for the caption-colour facts, the registry and the module
// path, the real call again (g_colourFacts: the real ones on Windows 10); the program's
// state as before start-up, with its class registered the way start-up
// registers it. The Options command's own calls stay real unless its test
// replaces them.
void ResetFakes();

// The period the refresh runs at (milliseconds, 0 while stopped) is kept by
// the timers' stand-in (stubs/timers.cpp). The fonts and paint objects made and not
// deleted yet, g_barFontsAlive and g_paintObjectsAlive, are counted by the
// harness's GDI stand-ins (harness/stand_ins/gdi_objects.h).
uint32_t RefreshPeriodInUse();  // stubs/timers.cpp
// How the bar reads the system's caption-colour facts (ReadSystemColourFacts
// unless UseColourFacts()).
extern ColourFacts (*g_readColourFacts)();

// A countdown of so many minutes started on the bar as the user starts one
// (command 32777 and OK), the Auto-shutdown dialog answered unseen.
void StartTestCountdown(HWND bar, LONG minutes);
// A running countdown cancelled from the menu, the question answered OK.
void EndTestCountdown(HWND bar);

// Destroys a bar the test left and drops what its teardown posted, so the
// next test's message loop starts empty.
void DestroyBar(HWND bar);
