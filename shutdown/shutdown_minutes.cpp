#include "shutdown/shutdown_minutes.h"

namespace {

int64_t const MAX_MINUTES = INT32_MAX;

int32_t AtLeastMinimum(int64_t minutes)
{
    return minutes < MIN_SHUTDOWN_MINUTES ? MIN_SHUTDOWN_MINUTES : static_cast<int32_t>(minutes);
}

}  // namespace

DurationMinutes MinutesOfDuration(bool hoursRead, uint32_t hours, bool minutesRead, uint32_t minutes)
{
    // The edit holds four digits, but a pasted or sent text can be longer:
    // hours that cannot become a 32-bit minute count are refused as hours.
    int64_t const hourMinutes = static_cast<int64_t>(hours) * 60;
    if (!hoursRead || hourMinutes + 59 > MAX_MINUTES)
        return DurationMinutes{DURATION_BAD_HOURS, 0};
    if (!minutesRead || minutes >= 60)
        return DurationMinutes{DURATION_BAD_MINUTES, 0};
    return DurationMinutes{DURATION_OK, AtLeastMinimum(hourMinutes + minutes)};
}

int64_t MinutesBetweenTicks(uint64_t from, uint64_t to)
{
    // Unsigned subtraction wraps instead of overflowing; reading the result
    // as signed gives the difference for any two moments a FILETIME holds.
    int64_t const span = static_cast<int64_t>(to - from);
    return span / TICKS_PER_MINUTE;
}

MomentMinutes MinutesOfMoment(int64_t spanMinutes)
{
    if (spanMinutes > MAX_MINUTES)
        return MomentMinutes{false, 0};
    return MomentMinutes{true, AtLeastMinimum(spanMinutes)};
}
