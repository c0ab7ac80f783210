// Reading the system power status into what the bar shows.
#pragma once

#include <windows.h>

#include <cstdint>

#include "bar/battery_alerts.h"
#include "bar/battery_details.h"

// Rewrites the percent, PowerState and text of the bar's view, and keeps the
// details the tray tip and the reminders are made from.
// Returns 1 when the system reported a charge percentage, else 0.
// Invalidates nothing: callers repaint what they need.
int SampleBattery();

// The details of the last reading.
BatteryDetails const& LastBatteryDetails();

// What the bar's text says on battery: the percentage, or with showTime the
// time left where Windows has an estimate. Taken at the next reading.
void SetBarShowsTime(bool showTime);

// The tray tip for the last reading: "电量监视" and the lines below it.
void FormatBatteryTipNow(WCHAR* tip, size_t capacity);

// The reminder the last reading makes due, if any (see DueAlert), with its
// title and text; BatteryAlertHandedOver once the shell has taken it, and
// BatteryAlertNews with what the shell says of it later, if anything (see
// AlertHandedOver). Held reminders are timed by the UTC clock.
BatteryAlert DueBatteryAlert(AlertLevels levels);
void FormatBatteryAlert(BatteryAlert alert, WCHAR* title, size_t titleCapacity, WCHAR* text, size_t textCapacity);
void BatteryAlertHandedOver(BatteryAlert alert);
void BatteryAlertNews(bool shown);
// New levels: each may remind again.
void RearmBatteryAlerts();

// Windows' notifications of a new charge or power source, each handled as
// it comes (PBT_POWERSETTINGCHANGE); the refresh timer stays as the safety
// net for systems that send none. How many of the two registrations the
// system took.
int ListenForPowerSettings(HWND bar);
void StopListeningForPowerSettings();
// True when a PBT_POWERSETTINGCHANGE record names one of those settings.
bool IsBatterySetting(POWERBROADCAST_SETTING const* setting);

// The refresh timer IDT_REFRESH, at the stored interval clamped to 1 s .. 1 h;
// starting it again restarts it at the new period. Stopped while a countdown
// owns the bar, the battery is still read at the same period on
// IDT_BATTERY_WATCH (OnBatteryWatchTick), for the tip's lines and the
// reminders, until the refresh starts again.
void StartRefresh(HWND bar, int32_t interval);
void StopRefresh(HWND bar);
// IDT_BATTERY_WATCH: the details read, the bar's view untouched. False, and
// the watch stopped, when the reading has no percentage.
bool OnBatteryWatchTick(HWND bar);

// The battery again, read now, over the whole bar (after a countdown).
void ShowBattery(HWND bar);

// IDT_REFRESH: samples the battery and repaints only the strip whose content
// changed; a reading without a percentage stops the refresh.
void OnRefreshTick(HWND bar);
