#include "shutdown/countdown.h"

#include "app/messages.h"
#include "app/settings.h"
#include "app/state.h"
#include "bar/battery.h"
#include "res/resource.h"
#include "shutdown/auto_shutdown_dialog.h"
#include "shutdown/confirm_dialog.h"
#include "shutdown/countdown_logic.h"
#include "shutdown/power_off.h"
#include "tray/tray_icon.h"

namespace {

void ShowTimeLeft(HWND bar, LONG minutes)
{
    FormatCountdownText(minutes, g_settings.barText, ARRAYSIZE(g_settings.barText));
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
    g_shutdownState = NextShutdownState(g_shutdownState, event);
}

void Start(HWND bar)
{
    if (g_autoShutdownDialog != nullptr) {
        SetForegroundWindow(g_autoShutdownDialog);
        return;
    }
    ShutdownRequest request;
    ZeroMemory(&request, sizeof request);
    INT_PTR const result = DialogBoxParamW(g_instance, MAKEINTRESOURCEW(IDD_AUTOSHUTDOWN), bar,
                                           AutoShutdownDialogProc, reinterpret_cast<LPARAM>(&request));
    // A countdown started meanwhile by another way in leaves this one unused.
    if (result != IDOK || g_shutdownState != SHUTDOWN_IDLE)
        return;
    Advance(SHUTDOWN_EVENT_START);
    g_settings.shutdownActive = 1;
    g_settings.shutdownTotal = g_settings.shutdownRemaining = request.minutes;
    g_settings.percent = 100;
    ShowTimeLeft(bar, request.minutes);
    KillTimer(bar, IDT_REFRESH);
    SetTimer(bar, IDT_SHUTDOWN, 60000, nullptr);
    SetTrayIcon(bar, g_settings.shutdownIcon);
    SetTimeLeftTip(bar, request.minutes);
}

void Cancel(HWND bar)
{
    if (ShowMessage(bar, IDS_SHUTDOWN_CANCEL_ASK, IDS_SHUTDOWN_CANCEL_TITLE, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    // The confirmation may have ended by itself while the question was open.
    if (g_shutdownState == SHUTDOWN_IDLE || g_shutdownState == SHUTDOWN_ENDED)
        return;
    Advance(SHUTDOWN_EVENT_CANCEL);
    g_settings.shutdownActive = 0;
    SampleBattery();
    InvalidateRect(bar, nullptr, FALSE);
    KillTimer(bar, IDT_SHUTDOWN);
    SetTimer(bar, IDT_REFRESH, static_cast<UINT>(g_settings.interval), nullptr);
    SetTrayIcon(bar, g_settings.normalIcon);
    SetBatteryTip(bar);
    // A cancelled shutdown must not power off through a later OK.
    if (g_confirmDialog != nullptr)
        EndDialog(g_confirmDialog, IDCANCEL);
}

void RestoreBatteryDisplay(HWND bar)
{
    SetTimer(bar, IDT_REFRESH, static_cast<UINT>(g_settings.interval), nullptr);
    SampleBattery();
    g_settings.shutdownActive = 0;
    InvalidateRect(bar, nullptr, FALSE);
    SetBatteryTip(bar);
    SetTrayIcon(bar, g_settings.normalIcon);
}

void Confirm(HWND bar)
{
    KillTimer(bar, IDT_SHUTDOWN);
    INT_PTR const result = DialogBoxParamW(g_instance, MAKEINTRESOURCEW(IDD_SHUTDOWN_CONFIRM), bar,
                                           ShutdownConfirmDialogProc, 0);
    if (g_shutdownState != SHUTDOWN_CONFIRMING)
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
    if (g_settings.shutdownActive == 0)
        Start(bar);
    else
        Cancel(bar);
}

void OnShutdownTick(HWND bar)
{
    // Only a running countdown counts; a stray timer message changes nothing.
    if (g_shutdownState != SHUTDOWN_COUNTING)
        return;
    g_settings.shutdownRemaining -= 1;
    LONG const remaining = g_settings.shutdownRemaining;
    g_settings.percent = CountdownPercent(remaining, g_settings.shutdownTotal);
    ShowTimeLeft(bar, remaining);
    SetTimeLeftTip(bar, remaining);
    if (remaining > 0) {
        Advance(SHUTDOWN_EVENT_TICK);
        return;
    }
    Advance(SHUTDOWN_EVENT_LAST_TICK);
    Confirm(bar);
}
