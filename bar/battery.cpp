#include "bar/battery.h"

#include "bar/bar_state.h"
#include "bar/battery_details.h"
#include "bar/power_status.h"
#include "base/decimal_text.h"
#include "base/ui_resources.h"
#include "base/messages.h"
#include "base/system_calls.h"
#include "base/text_template.h"
#include "base/win32_values.h"
#include "res/resource.h"

namespace {

uint32_t g_watchPeriod;  // the refresh period, for the watch while a countdown runs
BatteryDetails g_details;
bool g_barShowsTime;
AlertArming g_alertArming;

// GUID_BATTERY_PERCENTAGE_REMAINING and GUID_ACDC_POWER_SOURCE, spelt out:
// the SDK's constants need a GUID library the product does not link.
GUID const BATTERY_SETTINGS[] = {
    {0xa7ad8041, 0xb45a, 0x4cae, {0x87, 0xa3, 0xee, 0xcb, 0xb4, 0x68, 0xa9, 0xe1}},
    {0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}},
};
HPOWERNOTIFY g_powerNotifications[ARRAYSIZE(BATTERY_SETTINGS)];

BatteryDetails ReadDetails()
{
    SYSTEM_POWER_STATUS status;
    ZeroMemory(&status, sizeof status);
    BOOL const ok = g_system.GetSystemPowerStatus(&status);
    SYSTEM_BATTERY_STATE state;
    ZeroMemory(&state, sizeof state);
    bool const haveState = ok && g_system.CallNtPowerInformation(SystemBatteryState, nullptr, 0, &state, sizeof state) == 0;
    return BatteryDetails{{status.ACLineStatus, status.BatteryFlag, status.BatteryLifePercent},
                          ok != FALSE,
                          status.BatteryLifeTime,
                          haveState,
                          state.Charging != FALSE,
                          state.MaxCapacity,
                          state.RemainingCapacity,
                          state.Rate};
}

// Seconds of the UTC clock, for the reminders' hold.
int64_t UtcSeconds()
{
    FILETIME time;
    g_system.GetSystemTimeAsFileTime(&time);
    return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 10000000u);
}

void StopWatch(HWND bar)
{
    KillTimer(bar, IDT_BATTERY_WATCH);
    g_watchPeriod = 0;
}

}  // namespace

BatteryDetails const& LastBatteryDetails()
{
    return g_details;
}

void StartRefresh(HWND bar, int32_t interval)
{
    StopWatch(bar);
    g_watchPeriod = RefreshPeriod(interval);
    SetTimer(bar, IDT_REFRESH, g_watchPeriod, nullptr);
}

void StopRefresh(HWND bar)
{
    KillTimer(bar, IDT_REFRESH);
    // The reminders and the tip's lines still want the battery while the bar
    // shows something else; a reading without a percentage stops both.
    if (g_watchPeriod != 0)
        SetTimer(bar, IDT_BATTERY_WATCH, g_watchPeriod, nullptr);
}

bool OnBatteryWatchTick(HWND bar)
{
    g_details = ReadDetails();
    if (MapPowerReading(g_details.reading, g_details.readSucceeded).hasPercent)
        return true;
    StopWatch(bar);
    return false;
}

void ShowBattery(HWND bar)
{
    SampleBattery();
    InvalidateRect(bar, nullptr, FALSE);
}

int SampleBattery()
{
    g_details = ReadDetails();
    BatteryView const view = MapPowerReading(g_details.reading, g_details.readSucceeded);
    g_barView.percent = view.percent;
    g_barView.powerState = view.powerState;
    FormatBarText(g_details, g_barShowsTime, g_barView.text, ARRAYSIZE(g_barView.text));
    return view.hasPercent ? 1 : 0;
}

void SetBarShowsTime(bool showTime)
{
    g_barShowsTime = showTime;
}

void FormatBatteryTipNow(WCHAR* tip, size_t capacity)
{
    UINT const ids[] = {IDS_TRAY_TIP,          IDS_TIP_PERCENT,   IDS_TIP_TIME_LEFT,       IDS_TIP_CHARGING,
                        IDS_TIP_FULL_IN,       IDS_TIP_ON_MAINS,  IDS_TIP_NO_BATTERY,      IDS_TIP_HOURS_MINUTES,
                        IDS_TIP_MINUTES,       IDS_TIP_DISCHARGE_POWER, IDS_TIP_CHARGE_POWER};
    WCHAR texts[ARRAYSIZE(ids)][48];
    for (size_t i = 0; i < ARRAYSIZE(ids); ++i) {
        texts[i][0] = L'\0';
        LoadUiString(ids[i], texts[i], ARRAYSIZE(texts[i]));
    }
    TipTexts const pieces{texts[0], texts[1], texts[2], texts[3], texts[4], texts[5],
                          texts[6], texts[7], texts[8], texts[9], texts[10]};
    FormatBatteryTip(g_details, pieces, tip, capacity);
}

BatteryAlert DueBatteryAlert(AlertLevels levels)
{
    return DueAlert(g_alertArming, levels, BatteryModeOf(g_details), g_details.reading.batteryLifePercent,
                    UtcSeconds());
}

void FormatBatteryAlert(BatteryAlert alert, WCHAR* title, size_t titleCapacity, WCHAR* text, size_t textCapacity)
{
    bool const low = alert == BatteryAlert::Low;
    title[0] = text[0] = L'\0';
    LoadUiString(low ? IDS_ALERT_LOW_TITLE : IDS_ALERT_HIGH_TITLE, title, static_cast<int>(titleCapacity));
    WCHAR format[128] = L"";
    LoadUiString(low ? IDS_ALERT_LOW_TEXT : IDS_ALERT_HIGH_TEXT, format, ARRAYSIZE(format));
    WCHAR percent[8];
    FormatDecimal(percent, ARRAYSIZE(percent), g_details.reading.batteryLifePercent);
    FillTemplate(text, textCapacity, format, {percent});
}

void BatteryAlertHandedOver(BatteryAlert alert)
{
    AlertHandedOver(g_alertArming, alert, UtcSeconds());
}

void BatteryAlertNews(bool shown)
{
    if (shown)
        AlertBalloonShown(g_alertArming);
    else
        AlertBalloonGone(g_alertArming);
}

void RearmBatteryAlerts()
{
    g_alertArming = AlertArming();
}

int ListenForPowerSettings(HWND bar)
{
    int taken = 0;
    for (size_t i = 0; i < ARRAYSIZE(BATTERY_SETTINGS); ++i) {
        if (g_powerNotifications[i] == nullptr)
            g_powerNotifications[i] =
                RegisterPowerSettingNotification(bar, &BATTERY_SETTINGS[i], DEVICE_NOTIFY_WINDOW_HANDLE);
        if (g_powerNotifications[i] != nullptr)
            ++taken;
    }
    return taken;
}

void StopListeningForPowerSettings()
{
    for (HPOWERNOTIFY& notification : g_powerNotifications) {
        if (notification != nullptr)
            UnregisterPowerSettingNotification(notification);
        notification = nullptr;
    }
}

bool IsBatterySetting(POWERBROADCAST_SETTING const* setting)
{
    if (setting == nullptr)
        return false;
    for (GUID const& guid : BATTERY_SETTINGS) {
        if (IsEqualGUID(setting->PowerSetting, guid))
            return true;
    }
    return false;
}

// The icon when PowerState changed, the fill (and so the text) when the
// percent changed.
void OnRefreshTick(HWND bar)
{
    int32_t const oldPercent = g_barView.percent;
    int32_t const oldPowerState = g_barView.powerState;
    if (SampleBattery() == 0) {
        KillTimer(bar, IDT_REFRESH);
    }

    RECT dirty;
    SetRectEmpty(&dirty);
    if (g_barView.powerState != oldPowerState) {
        RECT const icon = ToRECT(g_barLayout.geometry.icon);
        UnionRect(&dirty, &dirty, &icon);
    }
    if (g_barView.percent != oldPercent) {
        RECT const fill = ToRECT(g_barLayout.geometry.fill);
        UnionRect(&dirty, &dirty, &fill);
    }
    if (IsRectEmpty(&dirty))
        return;
    dirty.right += 1;
    dirty.bottom += 1;
    InvalidateRect(bar, &dirty, FALSE);
}
