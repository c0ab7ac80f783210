#include "bar/battery_alerts.h"

BatteryAlert DueAlert(AlertArming& arming, AlertLevels levels, BatteryMode mode, int32_t percent)
{
    int charger;
    switch (mode) {
    case BatteryMode::Charging:
    case BatteryMode::OnMains:
        charger = 1;
        break;
    case BatteryMode::OnBattery:
        charger = 0;
        break;
    default:
        return BatteryAlert::None;
    }
    if (charger != arming.charger) {
        arming.lowArmed = arming.highArmed = true;
        arming.charger = charger;
    }
    if (percent >= levels.low + ALERT_REARM_POINTS)
        arming.lowArmed = true;
    if (percent <= levels.high - ALERT_REARM_POINTS)
        arming.highArmed = true;

    if (charger == 0 && levels.low > 0 && percent <= levels.low && arming.lowArmed)
        return BatteryAlert::Low;
    if (charger == 1 && levels.high > 0 && percent >= levels.high && arming.highArmed)
        return BatteryAlert::High;
    return BatteryAlert::None;
}

void AlertShown(AlertArming& arming, BatteryAlert shown)
{
    if (shown == BatteryAlert::Low)
        arming.lowArmed = false;
    else if (shown == BatteryAlert::High)
        arming.highArmed = false;
}
