// When to remind the user at the levels they chose: low while on battery,
// high while on the charger. Pure logic, no window system.
#pragma once

#include <cstdint>

#include "bar/battery_details.h"

// Percent; 0 is off.
struct AlertLevels {
    int32_t low;
    int32_t high;
};

enum class BatteryAlert { None, Low, High };

// How far a level must be left before its alert can come again.
int32_t const ALERT_REARM_POINTS = 3;

// Which alerts may come; a fresh start may have both.
struct AlertArming {
    bool lowArmed = true;
    bool highArmed = true;
    int charger = -1;  // 1 on the charger, 0 on battery, -1 not known yet
};

// One reading: re-arms what it allows (the level left by ALERT_REARM_POINTS,
// or the charger plugged or pulled) and names the alert due now. A due alert
// stays armed until AlertShown, so one the shell could not show (the user's
// quiet hours) is due again at the next reading while its level holds.
BatteryAlert DueAlert(AlertArming& arming, AlertLevels levels, BatteryMode mode, int32_t percent);
void AlertShown(AlertArming& arming, BatteryAlert shown);
