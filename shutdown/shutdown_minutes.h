// The minute arithmetic of the Auto-shutdown dialog: a duration or a picked
// moment reduced to the whole minutes until the power-off.
#pragma once

#include <cstdint>

int32_t const MIN_SHUTDOWN_MINUTES = 1;
int64_t const TICKS_PER_MINUTE = 600000000;  // FILETIME units of 100 ns

enum DurationCheck {
    DURATION_OK,
    DURATION_BAD_HOURS,    // not a number, or more hours than the minutes can hold
    DURATION_BAD_MINUTES,  // not a number, or 60 and more
};

struct DurationMinutes {
    DurationCheck check;
    int32_t minutes;  // >= 1 when check is DURATION_OK, else 0
};

// Hours and minutes as read from the edits, each with its "was a number"
// flag. The hours are examined first; bad hours leave the minutes unread.
DurationMinutes MinutesOfDuration(bool hoursRead, uint32_t hours, bool minutesRead, uint32_t minutes);

// Whole minutes from one FILETIME-style moment to another, truncated toward
// zero; negative when to lies before from.
int64_t MinutesBetweenTicks(uint64_t from, uint64_t to);

struct MomentMinutes {
    bool fits;        // false: more minutes than a 32-bit count holds
    int32_t minutes;  // >= 1 when fits, else 0
};

// A span of minutes to a picked moment as the countdown's length: past and
// too-near moments give the minimum, spans beyond 32 bits are refused.
MomentMinutes MinutesOfMoment(int64_t spanMinutes);
