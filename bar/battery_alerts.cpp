#include "bar/battery_alerts.h"

namespace {

// A clock set back past the hand-over releases the hold.
bool Held(int64_t heldUntil, int64_t now)
{
    return now < heldUntil && now >= heldUntil - ALERT_RETRY_SECONDS;
}

}  // namespace

BatteryAlert DueAlert(AlertArming& arming, AlertLevels levels, BatteryMode mode, int32_t percent, int64_t now)
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
        arming.lowHeldUntil = arming.highHeldUntil = 0;
        arming.charger = charger;
    }
    if (percent >= levels.low + ALERT_REARM_POINTS) {
        arming.lowArmed = true;
        arming.lowHeldUntil = 0;
    }
    if (percent <= levels.high - ALERT_REARM_POINTS) {
        arming.highArmed = true;
        arming.highHeldUntil = 0;
    }

    if (charger == 0 && levels.low > 0 && percent <= levels.low && arming.lowArmed &&
        !Held(arming.lowHeldUntil, now))
        return BatteryAlert::Low;
    if (charger == 1 && levels.high > 0 && percent >= levels.high && arming.highArmed &&
        !Held(arming.highHeldUntil, now))
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

void AlertHandedOver(AlertArming& arming, BatteryAlert alert, int64_t now)
{
    AlertShown(arming, alert);
    arming.handedOver = alert;
    arming.handedAt = now;
    arming.seen = false;
}

void AlertBalloonShown(AlertArming& arming)
{
    arming.seen = true;
}

void AlertBalloonGone(AlertArming& arming)
{
    BatteryAlert const gone = arming.handedOver;
    arming.handedOver = BatteryAlert::None;
    if (arming.seen || gone == BatteryAlert::None)
        return;
    int64_t const heldUntil = arming.handedAt + ALERT_RETRY_SECONDS;
    if (gone == BatteryAlert::Low) {
        arming.lowArmed = true;
        arming.lowHeldUntil = heldUntil;
    } else {
        arming.highArmed = true;
        arming.highHeldUntil = heldUntil;
    }
}
