#include "bar/battery_details.h"

#include "base/decimal_text.h"
#include "base/text_template.h"

namespace {

uint8_t const BATTERY_FLAG_CHARGING = 8;
uint8_t const BATTERY_FLAG_NO_BATTERY = 128;
uint8_t const BATTERY_FLAG_UNKNOWN = 255;
uint8_t const AC_LINE_ONLINE = 1;

bool RateKnown(BatteryDetails const& details)
{
    return details.haveState && details.rate != RATE_UNKNOWN && details.rate != 0;
}

// Milliwatts, whichever sign the driver gave them.
int64_t RateMagnitude(BatteryDetails const& details)
{
    int64_t const rate = static_cast<int32_t>(details.rate);
    return rate < 0 ? -rate : rate;
}

// "5小时42分钟", or "42分钟" under an hour.
void FormatDuration(uint64_t minutes, TipTexts const& texts, wchar_t* out, size_t capacity)
{
    wchar_t hours[24], rest[24];
    FormatDecimal(hours, 24, static_cast<long long>(minutes / 60));
    FormatDecimal(rest, 24, static_cast<long long>(minutes % 60));
    if (minutes < 60)
        FillTemplate(out, capacity, texts.minutes, {rest});
    else
        FillTemplate(out, capacity, texts.hoursMinutes, {hours, rest});
}

// Minutes until full at the present rate, rounded up; 0 when not known.
uint64_t MinutesToFull(BatteryDetails const& details)
{
    if (!RateKnown(details) || details.maxCapacity == 0 || details.maxCapacity == CAPACITY_UNKNOWN ||
        details.remainingCapacity == CAPACITY_UNKNOWN || details.remainingCapacity >= details.maxCapacity)
        return 0;
    uint64_t const missing = details.maxCapacity - details.remainingCapacity;  // mWh
    uint64_t const rate = static_cast<uint64_t>(RateMagnitude(details));
    return (missing * 60 + rate - 1) / rate;
}

// "电量 57%" and what follows it on the same line.
size_t FormatChargeLine(BatteryDetails const& details, BatteryMode mode, TipTexts const& texts, wchar_t* out,
                        size_t capacity)
{
    wchar_t percent[8];
    FormatDecimal(percent, 8, details.reading.batteryLifePercent);
    size_t length = FillTemplate(out, capacity, texts.percent, {percent});
    wchar_t duration[64] = L"";
    switch (mode) {
    case BatteryMode::OnBattery:
        if (details.lifeTime != LIFE_TIME_UNKNOWN) {
            FormatDuration(details.lifeTime / 60, texts, duration, 64);
            length += FillTemplate(out + length, capacity - length, texts.timeLeft, {duration});
        }
        break;
    case BatteryMode::Charging: {
        length += FillTemplate(out + length, capacity - length, texts.charging);
        uint64_t const minutes = MinutesToFull(details);
        if (minutes > 0) {
            FormatDuration(minutes, texts, duration, 64);
            length += FillTemplate(out + length, capacity - length, texts.fullIn, {duration});
        }
        break;
    }
    case BatteryMode::OnMains:
        length += FillTemplate(out + length, capacity - length, texts.onMains);
        break;
    case BatteryMode::Unknown:
    case BatteryMode::NoBattery:
        break;
    }
    return length;
}

// "12.0": watts with one decimal, rounded.
void FormatWatts(int64_t milliwatts, wchar_t* out, size_t capacity)
{
    int64_t const tenths = (milliwatts + 50) / 100;
    size_t const length = FormatDecimal(out, capacity, tenths / 10);
    if (length == 0 || length + 3 > capacity)
        return;
    out[length] = L'.';
    out[length + 1] = static_cast<wchar_t>(L'0' + tenths % 10);
    out[length + 2] = L'\0';
}

}  // namespace

BatteryMode BatteryModeOf(BatteryDetails const& details)
{
    PowerReading const& reading = details.reading;
    if (!details.readSucceeded)
        return BatteryMode::Unknown;
    bool const flagKnown = reading.batteryFlag != BATTERY_FLAG_UNKNOWN;
    if (reading.batteryLifePercent > 100)
        return flagKnown && (reading.batteryFlag & BATTERY_FLAG_NO_BATTERY) != 0 ? BatteryMode::NoBattery
                                                                              : BatteryMode::Unknown;
    if ((flagKnown && (reading.batteryFlag & BATTERY_FLAG_CHARGING) != 0) || (details.haveState && details.charging))
        return BatteryMode::Charging;
    return reading.acLineStatus == AC_LINE_ONLINE ? BatteryMode::OnMains : BatteryMode::OnBattery;
}

void FormatBatteryTip(BatteryDetails const& details, TipTexts const& texts, wchar_t* out, size_t capacity)
{
    if (capacity == 0)
        return;
    size_t length = FillTemplate(out, capacity, texts.title);
    BatteryMode const mode = BatteryModeOf(details);
    if (mode == BatteryMode::Unknown)
        return;
    length += FillTemplate(out + length, capacity - length, L"\n");
    if (mode == BatteryMode::NoBattery) {
        FillTemplate(out + length, capacity - length, texts.noBattery);
        return;
    }
    length += FormatChargeLine(details, mode, texts, out + length, capacity - length);

    wchar_t const* power = mode == BatteryMode::Charging    ? texts.chargePower
                           : mode == BatteryMode::OnBattery ? texts.dischargePower
                                                            : nullptr;
    if (power == nullptr || !RateKnown(details))
        return;
    wchar_t watts[24] = L"";
    FormatWatts(RateMagnitude(details), watts, 24);
    length += FillTemplate(out + length, capacity - length, L"\n");
    FillTemplate(out + length, capacity - length, power, {watts});
}

void FormatBarText(BatteryDetails const& details, bool showTime, wchar_t* out, size_t capacity)
{
    if (showTime && BatteryModeOf(details) == BatteryMode::OnBattery && details.lifeTime <= BAR_TIME_MAX_SECONDS) {
        wchar_t hours[8], minutes[8];
        FormatDecimal(hours, 8, details.lifeTime / 3600);
        FormatDecimal(minutes, 8, details.lifeTime / 60 % 60, 2);
        FillTemplate(out, capacity, L"%d:%d", {hours, minutes});
        return;
    }
    FormatBatteryText(MapPowerReading(details.reading, details.readSucceeded), out, capacity);
}
