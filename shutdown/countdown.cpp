#include "shutdown/countdown.h"

#include <cstdint>

// What the bar shows and the tray icon are set from here: shutdown includes
// bar and tray, never the other way round.
#include "bar/bar_state.h"
#include "bar/battery.h"
#include "base/instance.h"
#include "base/messages.h"
#include "base/system_calls.h"
#include "base/ui_resources.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "shutdown/auto_shutdown_dialog.h"
#include "shutdown/confirm_dialog.h"
#include "shutdown/keep_awake.h"
#include "shutdown/message_box.h"
#include "shutdown/power_off.h"
#include "shutdown/session_presence.h"
#include "tray/tray_icon.h"

namespace {

ShutdownState g_state = SHUTDOWN_IDLE;
LONG g_totalMinutes;
LONG g_minutesLeft;
int64_t g_deadline;      // UTC milliseconds
int g_cancelQuestions;   // cancel questions open (the menu can ask again meanwhile)
int64_t g_resumedAt;     // UTC milliseconds of the last wake from sleep, 0: none
bool g_forced;           // this countdown's power-off ends other programs without asking
ShutdownAction g_action; // what this countdown does at its moment

// Each action's own texts: the tooltip's two forms, the menu's cancel item,
// the question before a cancel, and the word that it did not happen.
struct ActionTexts {
    UINT tipHours, tipMinutes, cancelItem, cancelAsk, cancelTitle, incomplete;
};
ActionTexts const ACTION_TEXTS[SHUTDOWN_ACTION_COUNT] = {
    {IDS_SHUTDOWN_TIP_HOURS, IDS_SHUTDOWN_TIP_MINUTES, IDS_TRAY_CANCEL_SHUTDOWN, IDS_SHUTDOWN_CANCEL_ASK,
     IDS_SHUTDOWN_CANCEL_TITLE, IDS_SHUTDOWN_INCOMPLETE},
    {IDS_RESTART_TIP_HOURS, IDS_RESTART_TIP_MINUTES, IDS_TRAY_CANCEL_RESTART, IDS_RESTART_CANCEL_ASK,
     IDS_TRAY_CANCEL_RESTART, IDS_RESTART_INCOMPLETE},
    {IDS_SLEEP_TIP_HOURS, IDS_SLEEP_TIP_MINUTES, IDS_TRAY_CANCEL_SLEEP, IDS_SLEEP_CANCEL_ASK, IDS_TRAY_CANCEL_SLEEP,
     IDS_SLEEP_INCOMPLETE},
    {IDS_HIBERNATE_TIP_HOURS, IDS_HIBERNATE_TIP_MINUTES, IDS_TRAY_CANCEL_HIBERNATE, IDS_HIBERNATE_CANCEL_ASK,
     IDS_TRAY_CANCEL_HIBERNATE, IDS_HIBERNATE_INCOMPLETE},
};

ActionTexts const& Texts()
{
    return ACTION_TEXTS[g_action];
}

bool Suspends(ShutdownAction action)
{
    return action == ACTION_SLEEP || action == ACTION_HIBERNATE;
}

LONG const LATER_MINUTES = 10;

// A power-off under way that has not ended the session after this long has
// been held up, whatever the reason.
UINT const POWER_OFF_WATCH_MS = 60000;

int64_t MillisecondsOf(FILETIME const& time)
{
    ULARGE_INTEGER ticks;
    ticks.LowPart = time.dwLowDateTime;
    ticks.HighPart = time.dwHighDateTime;
    return static_cast<int64_t>(ticks.QuadPart / 10000);
}

int64_t UtcMilliseconds()
{
    FILETIME now;
    g_system.GetSystemTimeAsFileTime(&now);
    return MillisecondsOf(now);
}

// The picked local moment in UTC, by the time zone's rules for that date, so
// that a change of daylight-saving time in between does not move it.
int64_t DeadlineOf(ShutdownRequest const& request, int64_t now)
{
    if (!request.atTime)
        return now + static_cast<int64_t>(request.minutes) * MS_PER_MINUTE;
    SYSTEMTIME utc;
    FILETIME moment;
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &request.target, &utc) || !SystemTimeToFileTime(&utc, &moment))
        return now + static_cast<int64_t>(request.minutes) * MS_PER_MINUTE;
    return DeadlineOfMoment(MillisecondsOf(moment), now);
}

void SetTimeLeftTip(HWND bar, LONG minutes)
{
    bool const hours = TipUsesHours(minutes);
    WCHAR format[64] = L"";
    LoadUiString(hours ? Texts().tipHours : Texts().tipMinutes, format, ARRAYSIZE(format));
    WCHAR tip[128];
    if (hours)
        wsprintfW(tip, format, static_cast<long>(minutes / 60), static_cast<int>(minutes % 60));
    else
        wsprintfW(tip, format, static_cast<int>(minutes % 60));
    SetTrayTip(bar, tip);
}

void ShowTimeLeft(HWND bar)
{
    WCHAR text[16];
    FormatCountdownText(g_minutesLeft, text, ARRAYSIZE(text));
    ShowCountdown(bar, text, CountdownPercent(g_minutesLeft, g_totalMinutes));
    SetTimeLeftTip(bar, g_minutesLeft);
}

// What the last reading found (ShowBattery has just read it).
void SetBatteryTip(HWND bar)
{
    WCHAR tip[128];
    FormatBatteryTipNow(tip, ARRAYSIZE(tip));
    SetTrayTip(bar, tip);
}

void Advance(ShutdownEvent event)
{
    g_state = NextShutdownState(g_state, event);
}

// The machine may sleep again, and the display is no longer followed.
void EndCountdown(HWND bar)
{
    KillTimer(bar, IDT_SHUTDOWN);
    KillTimer(bar, IDT_POWER_OFF_WATCH);
    AllowSleep();
    StopWatchingDisplay();
}

// The bar, the refresh, the tip and the icon of the battery display again.
void ReturnToBattery(HWND bar)
{
    EndCountdown(bar);
    StartRefresh(bar, g_settings.interval);
    ShowBattery(bar);
    SetBatteryTip(bar);
    SetTrayIcon(bar, BatteryTrayIcon());
}

void SetStalledTip(HWND bar)
{
    WCHAR tip[128] = L"";
    LoadUiString(Texts().incomplete, tip, ARRAYSIZE(tip));
    SetTrayTip(bar, tip);
}

// The power-off did not happen: the bar stays at 0:00 with its cancel in the
// menu, and says why, so that nobody comes back to a machine left on
// without a word.
void Stall(HWND bar, UINT reason)
{
    AllowSettingsSaveAgain();
    Advance(SHUTDOWN_EVENT_POWER_REFUSED);
    EndCountdown(bar);
    SetStalledTip(bar);
    WCHAR title[64] = L"", text[256] = L"";
    LoadUiString(Texts().incomplete, title, ARRAYSIZE(title));
    LoadUiString(reason, text, ARRAYSIZE(text));
    ShowTrayNotification(bar, title, text, true);
}

UINT StallReasonOf(PowerOffResult result)
{
    return result == POWER_OFF_OTHER_USERS ? IDS_SHUTDOWN_WHY_USERS : IDS_SHUTDOWN_WHY_FAILED;
}

void Step(HWND bar);

// Ten more minutes from now, with the same action.
void CountAgain(HWND bar)
{
    Advance(SHUTDOWN_EVENT_LATER);
    KeepAwake();
    int64_t const now = UtcMilliseconds();
    g_deadline = now + LATER_MINUTES * MS_PER_MINUTE;
    g_totalMinutes = LATER_MINUTES;
    Step(bar);
}

// Sleep and hibernation end the countdown: the machine wakes to the battery.
void Suspend(HWND bar)
{
    AllowSleep();
    if (!SuspendSystem(bar, g_action == ACTION_HIBERNATE)) {
        Stall(bar, IDS_SHUTDOWN_WHY_SUSPEND);
        return;
    }
    Advance(SHUTDOWN_EVENT_SUSPENDED);
    ReturnToBattery(bar);
}

void Confirm(HWND bar, bool waitForPerson)
{
    // Nobody may be there to see it: the machine goes back to sleep by its
    // power plan meanwhile, as it would without the program.
    if (waitForPerson)
        AllowSleep();
    INT_PTR const result = UiDialogBox(g_instance, MAKEINTRESOURCEW(IDD_SHUTDOWN_CONFIRM), bar,
                                       ShutdownConfirmDialogProc, ConfirmParam(g_action, waitForPerson));
    // Cancelled from the menu meanwhile (already restored), or the program is ending.
    if (g_state != SHUTDOWN_CONFIRMING || !IsWindow(bar))
        return;
    if (result == IDC_CONFIRM_LATER) {
        CountAgain(bar);
        return;
    }
    if (result != IDOK) {
        Advance(SHUTDOWN_EVENT_DECLINED);
        ReturnToBattery(bar);
        return;
    }
    if (Suspends(g_action)) {
        Suspend(bar);
        return;
    }
    KeepAwake();
    // A forced power-off may end this process without WM_ENDSESSION.
    SaveSettings(bar);
    PowerOffResult const started = ShutdownSystem(g_forced, g_action == ACTION_RESTART);
    if (started != POWER_OFF_STARTED) {
        Stall(bar, StallReasonOf(started));
        return;
    }
    // Seen through: the bar and its icon stay until Windows ends the
    // session, since a program may still hold the power-off up.
    Advance(SHUTDOWN_EVENT_POWER_OFF);
    SetTimer(bar, IDT_POWER_OFF_WATCH, POWER_OFF_WATCH_MS, nullptr);
}

// The minutes left from the deadline and the clock, shown; the timer set to
// fire when the next minute is gone; at the deadline, the confirmation,
// unless the user is being asked whether to cancel: the answer decides.
void Step(HWND bar)
{
    int64_t const now = UtcMilliseconds();
    g_minutesLeft = MinutesLeftUntil(g_deadline, now);
    ShowTimeLeft(bar);
    if (g_minutesLeft > 0) {
        Advance(SHUTDOWN_EVENT_TICK);
        SetTimer(bar, IDT_SHUTDOWN, MillisecondsToNextStep(g_deadline, now), nullptr);
        return;
    }
    KillTimer(bar, IDT_SHUTDOWN);
    if (g_cancelQuestions > 0)
        return;
    bool const missed = MissedWhileAsleep(g_deadline, now, g_resumedAt);
    // The machine already slept through the moment of a sleep: done, not
    // to be done again on the machine just woken.
    if (missed && Suspends(g_action)) {
        Advance(SHUTDOWN_EVENT_CANCEL);
        ReturnToBattery(bar);
        return;
    }
    Advance(SHUTDOWN_EVENT_LAST_TICK);
    // Reached awake, it runs unattended as planned; missed in sleep, the
    // machine may have woken by itself or behind the lock screen, and nobody
    // would see the twenty seconds.
    Confirm(bar, missed);
}

void Start(HWND bar)
{
    if (OpenAutoShutdownDialog() != nullptr) {
        SetForegroundWindow(OpenAutoShutdownDialog());
        return;
    }
    ShutdownRequest request;
    ZeroMemory(&request, sizeof request);
    request.forceClose = g_settings.forceClose ? 1 : 0;
    request.action = g_settings.shutdownAction;
    INT_PTR const result = g_system.UiDialogBox(g_instance, MAKEINTRESOURCEW(IDD_AUTOSHUTDOWN), bar,
                                                AutoShutdownDialogProc, reinterpret_cast<LPARAM>(&request));
    // A countdown started meanwhile by another way in leaves this one unused.
    if (result != IDOK || g_state != SHUTDOWN_IDLE)
        return;
    Advance(SHUTDOWN_EVENT_START);
    g_resumedAt = 0;  // a wake before this countdown cannot have slept through it
    g_forced = g_settings.forceClose = request.forceClose != 0;
    g_action = static_cast<ShutdownAction>(request.action);
    g_settings.shutdownAction = g_action;
    KeepAwake();
    WatchDisplay(bar);
    // In UTC, so that a change of daylight-saving time or time zone does not move it.
    int64_t const now = UtcMilliseconds();
    g_deadline = DeadlineOf(request, now);
    g_totalMinutes = MinutesLeftUntil(g_deadline, now);
    StopRefresh(bar);
    SetTrayIcon(bar, CountdownTrayIcon());
    Step(bar);
}

void Cancel(HWND bar)
{
    ++g_cancelQuestions;
    int const answer = ShowMessage(bar, Texts().cancelAsk, Texts().cancelTitle, MB_OKCANCEL | MB_ICONQUESTION);
    --g_cancelQuestions;
    // Ended meanwhile: the confirmation closed by itself, or the program exits.
    if (g_state == SHUTDOWN_IDLE || !IsWindow(bar))
        return;
    if (answer != IDOK) {
        // Not cancelled after all: a deadline that passed meanwhile confirms
        // now, once no other question is open.
        if (g_state == SHUTDOWN_COUNTING && g_minutesLeft == 0 && g_cancelQuestions == 0)
            Step(bar);
        return;
    }
    Advance(SHUTDOWN_EVENT_CANCEL);
    ReturnToBattery(bar);
    // A cancelled shutdown must not power off through a later OK.
    if (OpenConfirmDialog() != nullptr)
        EndDialog(OpenConfirmDialog(), IDCANCEL);
}

}  // namespace

void OnAutoShutdownCommand(HWND bar)
{
    if (!IsAutoShutdownRunning())
        Start(bar);
    else
        Cancel(bar);
}

void OnAddTenMinutesCommand(HWND bar)
{
    if (g_state == SHUTDOWN_CONFIRMING && OpenConfirmDialog() != nullptr) {
        EndDialog(OpenConfirmDialog(), IDC_CONFIRM_LATER);
        return;
    }
    if (g_state != SHUTDOWN_COUNTING)
        return;
    Advance(SHUTDOWN_EVENT_LATER);
    g_deadline += LATER_MINUTES * MS_PER_MINUTE;
    g_totalMinutes = g_totalMinutes > INT32_MAX - LATER_MINUTES ? INT32_MAX : g_totalMinutes + LATER_MINUTES;
    Step(bar);
}

CountdownMenu AutoShutdownMenu()
{
    if (g_state == SHUTDOWN_IDLE)
        return CountdownMenu{0, false};
    return CountdownMenu{Texts().cancelItem, g_state == SHUTDOWN_COUNTING || g_state == SHUTDOWN_CONFIRMING};
}

void OnShutdownTick(HWND bar)
{
    // Only a running countdown counts; a stray timer message changes nothing.
    if (g_state == SHUTDOWN_COUNTING)
        Step(bar);
}

void OnAutoShutdownClockChange(HWND bar)
{
    // The step runs from the message loop, not inside the broadcast: it may
    // open the confirmation, which must not hold up the sender.
    if (g_state == SHUTDOWN_COUNTING)
        SetTimer(bar, IDT_SHUTDOWN, USER_TIMER_MINIMUM, nullptr);
}

void OnAutoShutdownResume(HWND bar)
{
    g_resumedAt = UtcMilliseconds();
    OnAutoShutdownClockChange(bar);
}

void OnAutoShutdownSessionChange(WPARAM event)
{
    if (NoteSessionChange(event))
        OnConfirmPresenceChange();
}

void OnAutoShutdownDisplayChange(POWERBROADCAST_SETTING const* setting)
{
    if (NoteDisplayState(setting))
        OnConfirmPresenceChange();
}

void OnAutoShutdownSessionEnd(HWND bar, bool ending)
{
    // Another program refused, or the user cancelled Windows' own screen of
    // programs holding the shutdown up.
    if (!ending && g_state == SHUTDOWN_POWERING_OFF)
        Stall(bar, IDS_SHUTDOWN_WHY_REFUSED);
}

void OnPowerOffWatch(HWND bar)
{
    KillTimer(bar, IDT_POWER_OFF_WATCH);
    if (g_state == SHUTDOWN_POWERING_OFF)
        Stall(bar, IDS_SHUTDOWN_WHY_TIMEOUT);
}

void OnAutoShutdownExit()
{
    Advance(SHUTDOWN_EVENT_EXIT);
    AllowSleep();
    StopWatchingDisplay();
}

void ShowAutoShutdownTip(HWND bar)
{
    if (g_state == SHUTDOWN_STALLED)
        SetStalledTip(bar);
    else
        SetTimeLeftTip(bar, g_minutesLeft);
}

bool IsAutoShutdownRunning()
{
    return g_state != SHUTDOWN_IDLE;
}
