#include "shutdown/countdown.h"

// What the bar shows and the tray icon are set from here: shutdown includes
// bar and tray, never the other way round.
#include "bar/bar_state.h"
#include "bar/battery.h"
#include "base/instance.h"
#include "base/messages.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "shutdown/auto_shutdown_dialog.h"
#include "shutdown/confirm_dialog.h"
#include "shutdown/message_box.h"
#include "shutdown/power_off.h"
#include "tray/tray_icon.h"

namespace {

ShutdownState g_state = SHUTDOWN_IDLE;
LONG g_totalMinutes;
LONG g_minutesLeft;

void ShowTimeLeft(HWND bar, LONG minutes)
{
    FormatCountdownText(minutes, g_barView.text, ARRAYSIZE(g_barView.text));
    InvalidateRect(bar, nullptr, FALSE);
}

void SetTimeLeftTip(HWND bar, LONG minutes)
{
    bool const hours = TipUsesHours(minutes);
    WCHAR format[64] = L"";
    LoadStringW(g_instance, hours ? IDS_SHUTDOWN_TIP_HOURS : IDS_SHUTDOWN_TIP_MINUTES, format, ARRAYSIZE(format));
    WCHAR tip[128];
    if (hours)
        wsprintfW(tip, format, static_cast<long>(minutes / 60), static_cast<int>(minutes % 60));
    else
        wsprintfW(tip, format, static_cast<int>(minutes % 60));
    SetTrayTip(bar, tip);
}

void SetBatteryTip(HWND bar)
{
    WCHAR tip[64] = L"";
    LoadStringW(g_instance, IDS_TRAY_TIP, tip, ARRAYSIZE(tip));
    SetTrayTip(bar, tip);
}

void Advance(ShutdownEvent event)
{
    g_state = NextShutdownState(g_state, event);
}

void Start(HWND bar)
{
    if (OpenAutoShutdownDialog() != nullptr) {
        SetForegroundWindow(OpenAutoShutdownDialog());
        return;
    }
    ShutdownRequest request;
    ZeroMemory(&request, sizeof request);
    INT_PTR const result = DialogBoxParamW(g_instance, MAKEINTRESOURCEW(IDD_AUTOSHUTDOWN), bar,
                                           AutoShutdownDialogProc, reinterpret_cast<LPARAM>(&request));
    // A countdown started meanwhile by another way in leaves this one unused.
    if (result != IDOK || g_state != SHUTDOWN_IDLE)
        return;
    Advance(SHUTDOWN_EVENT_START);
    g_totalMinutes = g_minutesLeft = request.minutes;
    g_barView.percent = 100;
    ShowTimeLeft(bar, request.minutes);
    KillTimer(bar, IDT_REFRESH);
    SetTimer(bar, IDT_SHUTDOWN, 60000, nullptr);
    SetTrayIcon(bar, CountdownTrayIcon());
    SetTimeLeftTip(bar, request.minutes);
}

void Cancel(HWND bar)
{
    if (ShowMessage(bar, IDS_SHUTDOWN_CANCEL_ASK, IDS_SHUTDOWN_CANCEL_TITLE, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    // The confirmation may have ended by itself while the question was open.
    if (g_state == SHUTDOWN_IDLE || g_state == SHUTDOWN_ENDED)
        return;
    Advance(SHUTDOWN_EVENT_CANCEL);
    SampleBattery();
    InvalidateRect(bar, nullptr, FALSE);
    KillTimer(bar, IDT_SHUTDOWN);
    SetTimer(bar, IDT_REFRESH, static_cast<UINT>(g_settings.interval), nullptr);
    SetTrayIcon(bar, BatteryTrayIcon());
    SetBatteryTip(bar);
    // A cancelled shutdown must not power off through a later OK.
    if (OpenConfirmDialog() != nullptr)
        EndDialog(OpenConfirmDialog(), IDCANCEL);
}

void RestoreBatteryDisplay(HWND bar)
{
    SetTimer(bar, IDT_REFRESH, static_cast<UINT>(g_settings.interval), nullptr);
    SampleBattery();
    InvalidateRect(bar, nullptr, FALSE);
    SetBatteryTip(bar);
    SetTrayIcon(bar, BatteryTrayIcon());
}

void Confirm(HWND bar)
{
    KillTimer(bar, IDT_SHUTDOWN);
    INT_PTR const result = DialogBoxParamW(g_instance, MAKEINTRESOURCEW(IDD_SHUTDOWN_CONFIRM), bar,
                                           ShutdownConfirmDialogProc, 0);
    if (g_state != SHUTDOWN_CONFIRMING)
        return;  // cancelled from the menu meanwhile: already restored
    if (result != IDOK) {
        Advance(SHUTDOWN_EVENT_DECLINED);
        RestoreBatteryDisplay(bar);
        return;
    }
    // A forced power-off may end this process without WM_ENDSESSION.
    SaveSettings(bar);
    if (ShutdownSystem() == 0) {
        AllowSettingsSaveAgain();
        Advance(SHUTDOWN_EVENT_POWER_REFUSED);
        return;
    }
    Advance(SHUTDOWN_EVENT_POWER_OFF);
    DestroyWindow(bar);
}

}  // namespace

void OnAutoShutdownCommand(HWND bar)
{
    if (!IsAutoShutdownRunning())
        Start(bar);
    else
        Cancel(bar);
}

void OnShutdownTick(HWND bar)
{
    // Only a running countdown counts; a stray timer message changes nothing.
    if (g_state != SHUTDOWN_COUNTING)
        return;
    g_minutesLeft -= 1;
    LONG const remaining = g_minutesLeft;
    g_barView.percent = CountdownPercent(remaining, g_totalMinutes);
    ShowTimeLeft(bar, remaining);
    SetTimeLeftTip(bar, remaining);
    if (remaining > 0) {
        Advance(SHUTDOWN_EVENT_TICK);
        return;
    }
    Advance(SHUTDOWN_EVENT_LAST_TICK);
    Confirm(bar);
}

bool IsAutoShutdownRunning()
{
    return g_state != SHUTDOWN_IDLE;
}

ShutdownState AutoShutdownState()
{
    return g_state;
}

LONG AutoShutdownMinutesTotal()
{
    return g_totalMinutes;
}

LONG AutoShutdownMinutesLeft()
{
    return g_minutesLeft;
}

void SetAutoShutdownForTests(ShutdownState state, LONG minutesLeft)
{
    g_state = state;
    g_minutesLeft = minutesLeft;
}
