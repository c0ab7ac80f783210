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

// How long a reminder the shell dropped unseen waits before it is offered
// again, from the moment it was handed over.
int64_t const ALERT_RETRY_SECONDS = 15 * 60;

// Which alerts may come; a fresh start may have both.
struct AlertArming {
    bool lowArmed = true;
    bool highArmed = true;
    int charger = -1;  // 1 on the charger, 0 on battery, -1 not known yet
    // The reminder last handed to the shell, until its word on it: when, and
    // whether it said it showed it.
    BatteryAlert handedOver = BatteryAlert::None;
    int64_t handedAt = 0;
    bool seen = false;
    // A reminder dropped unseen is not offered again before this (seconds).
    int64_t lowHeldUntil = 0;
    int64_t highHeldUntil = 0;
};

// One reading at now (seconds of the UTC clock): re-arms what it allows (the
// level left by ALERT_REARM_POINTS, or the charger plugged or pulled) and
// names the alert due now. A due alert stays armed until AlertShown or
// AlertHandedOver, so one the shell refused is due again at the next reading
// while its level holds; one it dropped unseen, once it is no longer held.
BatteryAlert DueAlert(AlertArming& arming, AlertLevels levels, BatteryMode mode, int32_t percent, int64_t now = 0);
void AlertShown(AlertArming& arming, BatteryAlert shown);
// Handed to the shell at now: shown, unless the shell says otherwise.
void AlertHandedOver(AlertArming& arming, BatteryAlert alert, int64_t now);
// The shell's word on the reminder handed over: shown (or clicked), or gone.
// Gone without having been shown (quiet hours, Focus Assist, notifications
// off for the program), it is armed again, held ALERT_RETRY_SECONDS from its
// hand-over. A shell that says nothing leaves it shown.
void AlertBalloonShown(AlertArming& arming);
void AlertBalloonGone(AlertArming& arming);
