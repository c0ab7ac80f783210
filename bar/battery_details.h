// What the tray tip and the bar say about the battery beyond its charge: the
// time left, the time to full, the power drawn. Pure logic, no window system.
#pragma once

#include <cstddef>
#include <cstdint>

#include "bar/power_status.h"

// The system's "not known" values: SYSTEM_POWER_STATUS.BatteryLifeTime,
// SYSTEM_BATTERY_STATE's capacities and its Rate (BATTERY_UNKNOWN_RATE).
uint32_t const LIFE_TIME_UNKNOWN = 0xFFFFFFFFu;
uint32_t const CAPACITY_UNKNOWN = 0xFFFFFFFFu;
uint32_t const RATE_UNKNOWN = 0x80000000u;

// One reading of both system records the details come from.
struct BatteryDetails {
    PowerReading reading;        // from SYSTEM_POWER_STATUS
    bool readSucceeded;          // GetSystemPowerStatus answered
    uint32_t lifeTime;           // seconds left on battery, Windows' estimate
    bool haveState;              // SYSTEM_BATTERY_STATE was read
    bool charging;               // its Charging flag
    uint32_t maxCapacity;        // mWh
    uint32_t remainingCapacity;  // mWh
    uint32_t rate;               // mW; its sign means nothing, drivers differ
};

enum class BatteryMode {
    Unknown,    // no reading, or no percentage from a battery that is there
    NoBattery,  // the system has no battery
    Charging,
    OnBattery,
    OnMains,    // on the charger, not charging
};

// Charging comes from the status flags (the charging bit or the battery
// state's flag), never from the rate's sign.
BatteryMode BatteryModeOf(BatteryDetails const& details);

// The string-table texts the tip is put together from.
struct TipTexts {
    wchar_t const* title;           // "电量监视", the first line always
    wchar_t const* percent;         // "电量 %d%%"
    wchar_t const* timeLeft;        // "，剩余 %s"
    wchar_t const* charging;        // "，充电中"
    wchar_t const* fullIn;          // "，约 %s后充满"
    wchar_t const* onMains;         // "，已接通电源"
    wchar_t const* noBattery;       // "未检测到电池"
    wchar_t const* hoursMinutes;    // "%d小时%d分钟"
    wchar_t const* minutes;         // "%d分钟", under an hour
    wchar_t const* dischargePower;  // "放电功率 %s W"
    wchar_t const* chargePower;     // "充电功率 %s W"
};

// The tray tip: the title, then a line of charge and time, then one of power
// where the system reports a rate (unknown and 0 are no rate). Cut to
// capacity - 1 characters; the shell's tips hold 127.
void FormatBatteryTip(BatteryDetails const& details, TipTexts const& texts, wchar_t* out, size_t capacity);

// The longest time the bar shows as h:mm; a longer estimate would not fit.
uint32_t const BAR_TIME_MAX_SECONDS = (99 * 60 + 59) * 60 + 59;

// The bar's text: with showTime, on battery and with an estimate of at most
// 99:59, the time left as h:mm; otherwise the percentage (or "NA").
void FormatBarText(BatteryDetails const& details, bool showTime, wchar_t* out, size_t capacity);
