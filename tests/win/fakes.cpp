#include "tests/win/fakes.h"

#include "app/init.h"
#include "shutdown/auto_shutdown_dialog.h"
#include "shutdown/countdown.h"
#include "shutdown/keep_awake.h"

namespace fakes {

namespace {

SYSTEM_POWER_STATUS g_reading;
BOOL g_readingResult = TRUE;

BOOL WINAPI PowerStatus(LPSYSTEM_POWER_STATUS status)
{
    ++g_reads;
    *status = g_reading;
    return g_readingResult;
}

SYSTEM_BATTERY_STATE g_batteryState;
bool g_haveBatteryState;

LONG WINAPI BatteryState(POWER_INFORMATION_LEVEL level, PVOID, ULONG, PVOID out, ULONG size)
{
    if (level != SystemBatteryState || size != sizeof g_batteryState || !g_haveBatteryState)
        return static_cast<LONG>(0xC0000022);  // STATUS_ACCESS_DENIED
    *static_cast<SYSTEM_BATTERY_STATE*>(out) = g_batteryState;
    return 0;
}

void WINAPI Clock(LPSYSTEMTIME time)
{
    *time = g_clock;
}

ULONGLONG g_utcTicks;  // 100-ns units, as FILETIME counts

void WINAPI UtcClock(LPFILETIME time)
{
    time->dwLowDateTime = static_cast<DWORD>(g_utcTicks);
    time->dwHighDateTime = static_cast<DWORD>(g_utcTicks >> 32);
}

// The machine's power states and its suspends, as the tests tell.
BOOLEAN WINAPI PowerCapabilities(PSYSTEM_POWER_CAPABILITIES capabilities)
{
    *capabilities = g_powerCapabilities;
    return TRUE;
}

BOOLEAN WINAPI Suspend(BOOLEAN hibernate, BOOLEAN, BOOLEAN)
{
    g_suspends.push_back(hibernate != FALSE);
    return g_suspendResult;
}

ColourFacts TheColourFacts()
{
    return g_colourFacts;
}

}  // namespace

int g_reads;
std::vector<GUID> g_registered;
bool g_refuseRegistrations;
int g_unregistered;
QUERY_USER_NOTIFICATION_STATE g_notificationState;
std::vector<FakeBattery> g_batteries;
std::vector<DWORD> g_batteryOpenAccess;
std::vector<DWORD> g_batteryClassFlags;
int g_batteryListsOpen;
std::vector<ULONG> g_batteryLevels;
std::vector<DWORD> g_shellMessages;
std::vector<NOTIFYICONDATAW> g_shellData;
int g_shellRefusals;
BOOL g_shellHoldsIcon = TRUE;
int g_installs;
int g_uninstalls;
int g_floats;
int g_canAdhereCalls;
BOOL g_canAdhereAnswer;
int g_moves;
RECT g_movedTo;
std::vector<Shown> g_shown;
int g_answer;
std::function<void()> g_whileShown;
bool g_realMessageBox;
std::function<BOOL(HMENU, UINT, int, int, int, HWND, RECT const*)> g_tracking;
SYSTEMTIME g_clock;
std::vector<UINT> g_exitFlags;
DWORD g_exitError;
SYSTEM_POWER_CAPABILITIES g_powerCapabilities;
std::vector<bool> g_suspends;
BOOLEAN g_suspendResult;
std::vector<DWORD> g_initiateFlags;
DWORD g_initiateResult;
std::vector<DWORD> g_shutdownReasons;
bool g_powerRequestsWork;
int g_awakeRequests;
std::wstring g_awakeReason;
EXECUTION_STATE g_executionState;
int g_sessionRegistrations;
int g_sessionRegistrationsRefused;
int g_sessionQueries;
bool g_sessionAnswers;
bool g_sessionInUse;
bool g_sessionLocked;
BOOL g_exitResult;
std::function<void()> g_whilePoweringOff;
ColourFacts g_colourFacts;

void UseColourFacts()
{
    g_readColourFacts = TheColourFacts;
}

void SetReading(BYTE ac, BYTE flag, BYTE percent, BOOL result)
{
    ZeroMemory(&g_reading, sizeof g_reading);
    g_reading.ACLineStatus = ac;
    g_reading.BatteryFlag = flag;
    g_reading.BatteryLifePercent = percent;
    g_reading.BatteryLifeTime = g_reading.BatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
    g_readingResult = result;
    g_haveBatteryState = false;
}

void SetBatteryState(DWORD lifeTime, bool charging, DWORD maxCapacity, DWORD remaining, DWORD rate)
{
    g_reading.BatteryLifeTime = lifeTime;
    ZeroMemory(&g_batteryState, sizeof g_batteryState);
    g_batteryState.AcOnLine = g_reading.ACLineStatus == 1;
    g_batteryState.BatteryPresent = TRUE;
    g_batteryState.Charging = charging;
    g_batteryState.Discharging = !charging && g_reading.ACLineStatus != 1;
    g_batteryState.MaxCapacity = maxCapacity;
    g_batteryState.RemainingCapacity = remaining;
    g_batteryState.Rate = rate;
    g_batteryState.EstimatedTime = lifeTime;
    g_haveBatteryState = true;
}

void SetClock(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    ZeroMemory(&g_clock, sizeof g_clock);
    g_clock.wYear = year;
    g_clock.wMonth = month;
    g_clock.wDay = day;
    g_clock.wHour = hour;
    g_clock.wMinute = minute;
    g_clock.wSecond = second;
}

void MoveUtcClock(LONGLONG milliseconds)
{
    g_utcTicks += static_cast<ULONGLONG>(milliseconds * 10000);
}

HWND TestWindow(wchar_t const* className, DWORD style, int x, int y, int width, int height, WNDPROC proc)
{
    HINSTANCE const instance = GetModuleHandleW(nullptr);
    if (proc != nullptr) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = proc;
        wc.hInstance = instance;
        wc.lpszClassName = className;
        RegisterClassW(&wc);
    }
    HWND window = CreateWindowExW(0, className, L"carrier", style, x, y, width, height, nullptr, nullptr, instance,
                                  nullptr);
    if (window != nullptr)
        ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

}  // namespace fakes

void ResetFakes()
{
    using namespace fakes;
    OnAutoShutdownExit();  // no countdown, as at a fresh start; before the counts are reset
    g_system.GetSystemPowerStatus = PowerStatus;
    g_system.CallNtPowerInformation = BatteryState;
    SetReading(0, 1, 57);
    g_reads = 0;
    g_registered.clear();
    g_refuseRegistrations = false;
    g_unregistered = 0;
    g_notificationState = QUNS_ACCEPTS_NOTIFICATIONS;
    g_batteries.clear();
    g_batteryOpenAccess.clear();
    g_batteryClassFlags.clear();
    g_batteryListsOpen = 0;
    g_batteryLevels.clear();
    SetBarShowsTime(false);
    RearmBatteryAlerts();
    g_shellMessages.clear();
    g_shellData.clear();
    g_shellRefusals = 0;
    g_shellHoldsIcon = TRUE;
    g_installs = g_uninstalls = g_floats = g_canAdhereCalls = g_moves = 0;
    g_canAdhereAnswer = FALSE;
    SetRectEmpty(&g_movedTo);
    g_tracking = nullptr;
    g_realMessageBox = false;
    g_shown.clear();
    g_answer = IDOK;
    g_whileShown = nullptr;
    g_system.GetLocalTime = Clock;
    SetClock(2026, 12, 7, 14, 10, 20);
    g_system.GetSystemTimeAsFileTime = UtcClock;
    g_utcTicks = 134095146200000000ull;  // 2026-12-07 14:10:20 UTC
    g_exitFlags.clear();
    g_exitResult = TRUE;
    g_exitError = ERROR_ACCESS_DENIED;
    g_initiateFlags.clear();
    g_initiateResult = ERROR_CALL_NOT_IMPLEMENTED;
    g_shutdownReasons.clear();
    g_whilePoweringOff = nullptr;
    g_powerCapabilities = SYSTEM_POWER_CAPABILITIES{};
    g_powerCapabilities.SystemS1 = g_powerCapabilities.SystemS4 = g_powerCapabilities.HiberFilePresent = TRUE;
    g_suspends.clear();
    g_suspendResult = TRUE;
    g_system.GetPwrCapabilities = PowerCapabilities;
    g_system.SetSuspendState = Suspend;
    AllowSleep();
    g_powerRequestsWork = false;
    g_awakeRequests = 0;
    g_awakeReason.clear();
    g_executionState = 0;
    g_sessionRegistrations = g_sessionRegistrationsRefused = g_sessionQueries = 0;
    g_sessionAnswers = false;
    g_sessionInUse = true;
    g_sessionLocked = false;

    g_readColourFacts = ReadSystemColourFacts;
    g_colourFacts = ReadSystemColourFacts();
    g_colourFacts.windows10OrLater = true;
    g_system.RegOpenKeyExW = RegOpenKeyExW;
    g_system.GetModuleFileNameW = GetModuleFileNameW;
    g_system.UiDialogBox = UiDialogBox;

    HINSTANCE const instance = GetModuleHandleW(nullptr);
    g_instance = instance;
    DeleteBarLook();
    g_barView = BarView{};
    g_barView.captionActive = true;
    ForgetPaintObjects();
    SetUiLanguage(LanguageChoice::AsWindows);
    LoadStringW(instance, IDS_APP_TITLE, g_windowTitle, ARRAYSIZE(g_windowTitle));
    RegisterBarClass(instance);
}

namespace {

LONG g_testCountdownMinutes;

INT_PTR WINAPI AnswerAutoShutdownDialog(HINSTANCE, LPCWSTR, HWND, DLGPROC, LPARAM param)
{
    ShutdownRequest* request = reinterpret_cast<ShutdownRequest*>(param);
    request->atTime = 0;
    request->minutes = g_testCountdownMinutes;
    return IDOK;
}

}  // namespace

void StartTestCountdown(HWND bar, LONG minutes)
{
    g_testCountdownMinutes = minutes;
    auto const dialogs = g_system.UiDialogBox;
    g_system.UiDialogBox = AnswerAutoShutdownDialog;
    SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
    g_system.UiDialogBox = dialogs;
}

void EndTestCountdown(HWND bar)
{
    if (!IsAutoShutdownRunning())
        return;
    int const answer = fakes::g_answer;
    fakes::g_answer = IDOK;
    SendMessageW(bar, WM_COMMAND, IDM_AUTOSHUTDOWN, 0);
    fakes::g_answer = answer;
}

void DestroyBar(HWND bar)
{
    if (bar != nullptr && IsWindow(bar))
        DestroyWindow(bar);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}
