// Power status mapping: what the bar shows for one reading of the system's
// power status. Pure logic, no window system.
#pragma once

#include <cstddef>
#include <cstdint>

// The three bytes of SYSTEM_POWER_STATUS that the bar uses.
struct PowerReading {
    uint8_t acLineStatus;        // 1 = on mains power
    uint8_t batteryFlag;         // bit 4 = critical, 255 = unknown status
    uint8_t batteryLifePercent;  // 0..100, anything above = unknown
};

// PowerState: also the frame index into the state bitmap.
int32_t const POWER_STATE_NONE = -1;
int32_t const POWER_STATE_MAINS = 0;
int32_t const POWER_STATE_CRITICAL = 2;

struct BatteryView {
    int32_t percent;     // 0..100; 100 when unknown so the bar is drawn full
    int32_t powerState;  // POWER_STATE_*
    bool hasPercent;     // false: "NA" and the refresh timer stops
};

// readSucceeded is the result of GetSystemPowerStatus: a failed read is shown
// as unknown rather than as the 0 % of a cleared record.
BatteryView MapPowerReading(PowerReading const& reading, bool readSucceeded);

// Writes "NA" or the percentage followed by '%' ("57%"). capacity is in
// characters and includes the terminator; the text is cut to fit.
void FormatBatteryText(BatteryView const& view, wchar_t* text, size_t capacity);

// How often the power status is read for a stored Interval: 1 s at least,
// for the battery's sake, and 1 hour at most, so that the bar never stands
// still; the file keeps what the user wrote.
uint32_t const REFRESH_PERIOD_MIN = 1000;
uint32_t const REFRESH_PERIOD_MAX = 3600000;
uint32_t RefreshPeriod(int32_t interval);
