// The countdown's states and formulas: what an auto-shutdown shows in the
// bar and the tooltip, and which state follows which event.
#pragma once

#include <cstddef>
#include <cstdint>

// Share of the countdown still to run, 0..100, truncated; exact for any
// 32-bit length. A total of 0 or less reads 0; more left than the total (the
// clock was set back) reads 100.
int32_t CountdownPercent(int32_t remaining, int32_t total);

// The bar text "H:MM" of the minutes left (90 reads 1:30). Always
// terminated; size 16 holds any 32-bit count.
void FormatCountdownText(int32_t minutes, wchar_t* out, size_t size);

// The tooltip's hours form ("1小时0分钟…") while a whole hour is left, the
// minutes form otherwise.
bool TipUsesHours(int32_t minutes);

// The countdown keeps a deadline, not a count of ticks, so that sleep, a
// late timer or a clock change cannot move the power-off. Times are
// milliseconds of UTC.
int64_t const MS_PER_MINUTE = 60000;

// Whole minutes still to run, rounded up (59 s left reads 1); 0 once the
// deadline is reached; at most INT32_MAX.
int32_t MinutesLeftUntil(int64_t deadline, int64_t now);

// Milliseconds until MinutesLeftUntil drops by one: the next step lands
// exactly on a minute boundary of the deadline, the last on the deadline
// itself. 0 once the deadline is reached.
uint32_t MillisecondsToNextStep(int64_t deadline, int64_t now);

// The deadline of a picked moment: the moment itself, or a minute from now
// when it has already passed.
int64_t DeadlineOfMoment(int64_t moment, int64_t now);

// A step this much past the deadline means the program was not running when
// it came: the machine slept or hibernated through it.
int64_t const LATE_STEP_MS = 10000;

// Whether the deadline passed while the machine was asleep, so that the
// confirmation must wait for a person: the last resume came after it
// (resumedAt 0: none), or the step that found it came too late.
bool MissedWhileAsleep(int64_t deadline, int64_t now, int64_t resumedAt);

enum ShutdownState {
    SHUTDOWN_IDLE,
    SHUTDOWN_COUNTING,
    SHUTDOWN_CONFIRMING,  // the confirmation dialog is open
    SHUTDOWN_STALLED,     // confirmed, but the power-off failed or was held up
    SHUTDOWN_POWERING_OFF,  // under way: the bar stays until Windows ends the session
};

enum ShutdownEvent {
    SHUTDOWN_EVENT_START,          // OK in the Auto-shutdown dialog
    SHUTDOWN_EVENT_TICK,           // a countdown minute passed, some left
    SHUTDOWN_EVENT_LAST_TICK,      // a countdown minute passed, none left
    SHUTDOWN_EVENT_CANCEL,         // the user confirmed a cancel from the menu
    SHUTDOWN_EVENT_DECLINED,       // the confirmation ended otherwise than with OK
    SHUTDOWN_EVENT_POWER_OFF,      // confirmed and the power-off set going
    SHUTDOWN_EVENT_POWER_REFUSED,  // the power-off failed, was refused or did not end the session
    SHUTDOWN_EVENT_SUSPENDED,      // confirmed, and the machine slept or hibernated
    SHUTDOWN_EVENT_LATER,          // ten more minutes, from the confirmation or the menu
    SHUTDOWN_EVENT_EXIT,           // the program is ending: no power-off from now on
};

int const SHUTDOWN_STATE_COUNT = SHUTDOWN_POWERING_OFF + 1;
int const SHUTDOWN_EVENT_COUNT = SHUTDOWN_EVENT_EXIT + 1;

// The state after an event; an event that does not apply in a state (a
// stray tick while idle, a second start while counting) leaves it as it is.
ShutdownState NextShutdownState(ShutdownState state, ShutdownEvent event);
