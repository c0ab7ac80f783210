#include "app/bar_window.h"

#include "app/display.h"
#include "bar/bar_colours.h"
#include "bar/bar_state.h"
#include "bar/battery.h"
#include "bar/follower.h"
#include "bar/paint.h"
#include "base/app_mode.h"
#include "base/messages.h"
#include "base/ui_resources.h"
#include "cbt/cbt.h"
#include "details/details_window.h"
#include "details/history_recording.h"
#include "options/options_command.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "shutdown/countdown.h"
#include "shutdown/session_presence.h"
#include "tray/about_box.h"
#include "tray/tray_icon.h"
#include "tray/tray_menu.h"

namespace {

// The poll runs whether or not the system takes the registrations: some
// send nothing.
void OnCreate(HWND window)
{
    StartRefresh(window, g_settings.interval);
    ListenForPowerSettings(window);
    FollowSession(window);
}

void OnRefresh(HWND window)
{
    OnRefreshTick(window);
    ShowBatteryDetails(window);
    RecordBatteryHistory();
}

// A plugged or pulled charger, a new charge, or a machine waking up, is
// shown at once instead of at the next tick. A restart of the refresh brings
// it back if a missing reading had stopped it; the countdown owns the bar
// while an auto-shutdown runs, and after a sleep works out its time left again.
void OnPowerBroadcast(HWND window, WPARAM event, LPARAM data)
{
    RecordPowerEventInHistory(event);
    bool const resumed = event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND;
    bool const setting =
        event == PBT_POWERSETTINGCHANGE && IsBatterySetting(reinterpret_cast<POWERBROADCAST_SETTING const*>(data));
    if (event == PBT_POWERSETTINGCHANGE && !setting) {
        OnAutoShutdownDisplayChange(reinterpret_cast<POWERBROADCAST_SETTING const*>(data));
        return;
    }
    if (!resumed && !setting && event != PBT_APMPOWERSTATUSCHANGE)
        return;
    if (IsAutoShutdownRunning()) {
        if (resumed)
            OnAutoShutdownResume(window);
        return;
    }
    StartRefresh(window, g_settings.interval);
    OnRefresh(window);
}

// A new language shows at once where a text stays on screen: the tooltip
// (the countdown's while one runs), the bar and the Battery details window.
void ShowTextsAgain(HWND window)
{
    if (IsAutoShutdownRunning()) {
        ShowAutoShutdownTip(window);
    } else {
        WCHAR tip[128];
        FormatBatteryTipNow(tip, ARRAYSIZE(tip));
        SetTrayTip(window, tip);
    }
    InvalidateRect(window, nullptr, FALSE);
    ShowDetailsTextsAgain();
}

// Asked after the dialog closes: a countdown may have started meanwhile from
// the tray menu, and then it owns the timers.
void OnOptions(HWND window)
{
    OptionValues chosen;
    if (!OnOptionsCommand(window, &chosen))
        return;
    UiLanguage const before = CurrentUiLanguage();
    ApplyOptions(window, chosen, IsAutoShutdownRunning());
    if (CurrentUiLanguage() != before)
        ShowTextsAgain(window);
}

// Only the settings the bar's look depends on: the caption metrics and the
// work area.
bool ChangesTheBar(WPARAM setting)
{
    return setting == SPI_SETNONCLIENTMETRICS || setting == SPI_SETWORKAREA;
}

// What the shell says of a reminder (NOTIFYICON_VERSION_4 callbacks) goes to
// its arming; the right button's release opens the menu.
LRESULT OnTrayCallback(HWND window, LPARAM lParam)
{
    TrayBalloonNews const news = BalloonNewsOf(lParam);
    if (news != TrayBalloonNews::None) {
        BatteryAlertNews(news == TrayBalloonNews::Shown);
        return 1;
    }
    return OnTrayNotify(window, lParam, AutoShutdownMenu());
}

// The battery read while a countdown owns the bar: the reminders still come.
void OnBatteryWatch(HWND window)
{
    if (OnBatteryWatchTick(window))
        ShowBatteryDetails(window);
}

void OnSettingChange(HWND window, WPARAM setting, LPARAM lParam)
{
    if (IsAppModeChange(lParam))
        LetMenusFollowAppMode();
    if (ChangesTheBar(setting))
        DeferDisplayChange(window, nullptr);
    else if (ChangesCaptionColours(setting, lParam))
        ScheduleCaptionColours(window);
}

void OnDestroy(HWND window)
{
    // Whatever dialog of the countdown is still open, nothing powers off now.
    OnAutoShutdownExit();
    EndBatteryHistory();
    StopListeningForPowerSettings();
    StopFollowingWindows(window);
    StopFollowingSession(window);
    SaveSettings(window);
    DeleteBarLook();
    RemoveTrayIcon(window);
    PostQuitMessage(0);
}

// Windows may end the process after this without a WM_DESTROY, so save now;
// SaveSettings writes only once, so the teardown that may follow does not.
void OnEndSession(HWND window, WPARAM ending)
{
    if (ending) {
        SaveSettings(window);
        EndBatteryHistory();
    }
    OnAutoShutdownSessionEnd(window, ending != 0);
}

}  // namespace

void ShowBatteryDetails(HWND window)
{
    // While a countdown runs, the tip is its time left.
    if (!IsAutoShutdownRunning()) {
        WCHAR tip[128];
        FormatBatteryTipNow(tip, ARRAYSIZE(tip));
        UpdateTrayTip(window, tip);
    }

    BatteryAlert const due = DueBatteryAlert(AlertLevels{g_settings.alertLow, g_settings.alertHigh});
    if (due == BatteryAlert::None || !TrayNotificationsWelcome())
        return;
    WCHAR title[64], text[256];
    FormatBatteryAlert(due, title, ARRAYSIZE(title), text, ARRAYSIZE(text));
    if (ShowTrayNotification(window, title, text, due == BatteryAlert::Low))
        BatteryAlertHandedOver(due);
}

LRESULT CALLBACK BarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    case WM_PAINT:
        OnPaint(window, IsAutoShutdownRunning());
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers the whole client area
    case WM_NCHITTEST:
        return HTCAPTION;  // drag the floating bar from anywhere
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDM_ABOUT:
            ShowAboutBox(window);
            return 0;
        case IDM_EXIT:
            DestroyWindow(window);
            return 0;
        case IDM_OPTIONS:
            OnOptions(window);
            return 0;
        case IDM_AUTOSHUTDOWN:
            OnAutoShutdownCommand(window);
            return 0;
        case IDM_ADD_TEN_MINUTES:
            OnAddTenMinutesCommand(window);
            return 0;
        case IDM_BATTERY_DETAILS:
            ShowDetailsWindow(window);
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam == IDT_REFRESH)
            OnRefresh(window);
        else if (wParam == IDT_SHUTDOWN)
            OnShutdownTick(window);
        else if (wParam == IDT_CAPTION_COLOURS)
            OnCaptionColoursTimer(window, g_settings.adhere);
        else if (wParam == IDT_SESSION_RETRY)
            OnSessionRetry(window);
        else if (wParam == IDT_POWER_OFF_WATCH)
            OnPowerOffWatch(window);
        else if (wParam == IDT_BATTERY_WATCH)
            OnBatteryWatch(window);
        else if (wParam == IDT_TRAY_RETRY)
            OnTrayRetryTimer(window);
        return 1;
    case WM_CAPTIONSTATE:
        SetCaptionActive(window, wParam != 0);
        // The carrier may have changed where the bar did not move (two
        // maximised windows): its colours are read again all the same.
        ScheduleCaptionColours(window);
        return 0;
    case WM_ENDSESSION:
        OnEndSession(window, wParam);
        return 0;
    case WM_TRAYNOTIFY:
        return OnTrayCallback(window, lParam);
    case WM_POWERBROADCAST:
        OnPowerBroadcast(window, wParam, lParam);
        return TRUE;
    case WM_WTSSESSION_CHANGE:
        OnAutoShutdownSessionChange(wParam);
        return 0;
    case WM_TIMECHANGE:
        OnAutoShutdownClockChange(window);
        return 0;
    case WM_SETTINGCHANGE:
        OnSettingChange(window, wParam, lParam);
        return 0;
    case WM_MOVE:
        OnBarMoved(window);
        ScheduleCaptionColours(window);
        break;
    case WM_WINDOWPOSCHANGED:  // shown again after a full-screen window: what lies beside it now
        if ((reinterpret_cast<WINDOWPOS const*>(lParam)->flags & SWP_SHOWWINDOW) != 0)
            ScheduleCaptionColours(window);
        break;
    case WM_STYLECHANGED:  // Adhere switched: the carrier's colours or the theme's
    case WM_DWMCOLORIZATIONCOLORCHANGED:
        ScheduleCaptionColours(window);
        break;
    case WM_SYSCOLORCHANGE:
    case WM_DISPLAYCHANGE:
        DeferDisplayChange(window, nullptr);
        return 0;
    case WM_DPICHANGED:
        LoadTrayIconsForDpi(window);
        DeferDisplayChange(window, reinterpret_cast<RECT const*>(lParam));
        return 0;
    case WM_DISPLAYCHANGED:
        OnDisplayChange(window);
        return 0;
    }
    // Registered at run time, so it cannot be a case label.
    if (message == TaskbarCreatedMessage()) {
        RestoreTrayIcon(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
