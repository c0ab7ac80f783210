#include "bar/power_status.h"

#include "base/decimal_text.h"

namespace {

uint8_t const BATTERY_FLAG_CRITICAL = 4;
uint8_t const BATTERY_FLAG_UNKNOWN = 255;
uint8_t const AC_LINE_ONLINE = 1;

// Copies src into text, cutting it to capacity - 1 characters.
void CopyText(wchar_t const* src, wchar_t* text, size_t capacity)
{
    if (capacity == 0)
        return;
    size_t i = 0;
    for (; src[i] != L'\0' && i + 1 < capacity; ++i)
        text[i] = src[i];
    text[i] = L'\0';
}

}  // namespace

BatteryView MapPowerReading(PowerReading const& reading, bool readSucceeded)
{
    if (!readSucceeded || reading.batteryLifePercent > 100)
        return BatteryView{100, POWER_STATE_NONE, false};

    BatteryView view{reading.batteryLifePercent, POWER_STATE_NONE, true};
    // Windows reports "low" together with "critical" (flag 6), so test the
    // bit; 255 means the status is unknown and has every bit set.
    if (reading.acLineStatus == AC_LINE_ONLINE)
        view.powerState = POWER_STATE_MAINS;
    else if (reading.batteryFlag != BATTERY_FLAG_UNKNOWN &&
             (reading.batteryFlag & BATTERY_FLAG_CRITICAL) != 0)
        view.powerState = POWER_STATE_CRITICAL;
    return view;
}

void FormatBatteryText(BatteryView const& view, wchar_t* text, size_t capacity)
{
    if (!view.hasPercent) {
        CopyText(L"NA", text, capacity);
        return;
    }
    wchar_t out[16];
    size_t const length = FormatDecimal(out, 15, view.percent < 0 ? 0 : view.percent);
    out[length] = L'%';
    out[length + 1] = L'\0';
    CopyText(out, text, capacity);
}

uint32_t RefreshPeriod(int32_t interval)
{
    if (interval < static_cast<int64_t>(REFRESH_PERIOD_MIN))
        return REFRESH_PERIOD_MIN;
    if (interval > static_cast<int64_t>(REFRESH_PERIOD_MAX))
        return REFRESH_PERIOD_MAX;
    return static_cast<uint32_t>(interval);
}
