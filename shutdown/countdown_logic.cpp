#include "shutdown/countdown_logic.h"

#include "base/decimal_text.h"

#include <climits>

int32_t CountdownPercent(int32_t remaining, int32_t total)
{
    if (total <= 0)
        return 0;
    if (remaining > total)
        return 100;
    return static_cast<int32_t>(static_cast<int64_t>(remaining) * 100 / total);
}

int32_t MinutesLeftUntil(int64_t deadline, int64_t now)
{
    if (deadline <= now)
        return 0;
    // Compared before subtracting so that no difference can overflow.
    if (now < 0 && deadline > INT64_MAX + now)
        return INT32_MAX;
    int64_t const left = deadline - now;
    int64_t const minutes = left / MS_PER_MINUTE + (left % MS_PER_MINUTE != 0 ? 1 : 0);
    return minutes > INT32_MAX ? INT32_MAX : static_cast<int32_t>(minutes);
}

uint32_t MillisecondsToNextStep(int64_t deadline, int64_t now)
{
    int32_t const minutes = MinutesLeftUntil(deadline, now);
    if (minutes == 0)
        return 0;
    if (minutes == INT32_MAX)
        return static_cast<uint32_t>(MS_PER_MINUTE);
    return static_cast<uint32_t>(deadline - now - (static_cast<int64_t>(minutes) - 1) * MS_PER_MINUTE);
}

int64_t DeadlineOfMoment(int64_t moment, int64_t now)
{
    return moment > now ? moment : now + MS_PER_MINUTE;
}

bool MissedWhileAsleep(int64_t deadline, int64_t now, int64_t resumedAt)
{
    if (resumedAt != 0 && resumedAt >= deadline)
        return true;
    // Unsigned, so that no difference can overflow; now > deadline keeps it exact.
    return now > deadline &&
           static_cast<uint64_t>(now) - static_cast<uint64_t>(deadline) >= static_cast<uint64_t>(LATE_STEP_MS);
}

void FormatCountdownText(int32_t minutes, wchar_t* out, size_t size)
{
    if (size == 0)
        return;
    wchar_t text[32];
    size_t const hours = FormatDecimal(text, 30, minutes / 60);
    text[hours] = L':';
    FormatDecimal(text + hours + 1, sizeof text / sizeof text[0] - hours - 1, minutes % 60, 2);
    size_t i = 0;
    for (; i + 1 < size && text[i] != L'\0'; ++i)
        out[i] = text[i];
    out[i] = L'\0';
}

bool TipUsesHours(int32_t minutes)
{
    return minutes / 60 > 0;
}

namespace {

struct Transition {
    ShutdownState from;
    ShutdownEvent event;
    ShutdownState to;
};

Transition const TRANSITIONS[] = {
    {SHUTDOWN_IDLE, SHUTDOWN_EVENT_START, SHUTDOWN_COUNTING},
    {SHUTDOWN_COUNTING, SHUTDOWN_EVENT_TICK, SHUTDOWN_COUNTING},
    {SHUTDOWN_COUNTING, SHUTDOWN_EVENT_LAST_TICK, SHUTDOWN_CONFIRMING},
    {SHUTDOWN_COUNTING, SHUTDOWN_EVENT_CANCEL, SHUTDOWN_IDLE},
    {SHUTDOWN_CONFIRMING, SHUTDOWN_EVENT_CANCEL, SHUTDOWN_IDLE},
    {SHUTDOWN_CONFIRMING, SHUTDOWN_EVENT_DECLINED, SHUTDOWN_IDLE},
    {SHUTDOWN_CONFIRMING, SHUTDOWN_EVENT_POWER_OFF, SHUTDOWN_POWERING_OFF},
    {SHUTDOWN_CONFIRMING, SHUTDOWN_EVENT_POWER_REFUSED, SHUTDOWN_STALLED},
    {SHUTDOWN_POWERING_OFF, SHUTDOWN_EVENT_POWER_REFUSED, SHUTDOWN_STALLED},
    {SHUTDOWN_POWERING_OFF, SHUTDOWN_EVENT_CANCEL, SHUTDOWN_IDLE},
    {SHUTDOWN_CONFIRMING, SHUTDOWN_EVENT_SUSPENDED, SHUTDOWN_IDLE},
    {SHUTDOWN_CONFIRMING, SHUTDOWN_EVENT_LATER, SHUTDOWN_COUNTING},
    {SHUTDOWN_COUNTING, SHUTDOWN_EVENT_LATER, SHUTDOWN_COUNTING},
    {SHUTDOWN_STALLED, SHUTDOWN_EVENT_CANCEL, SHUTDOWN_IDLE},
    {SHUTDOWN_COUNTING, SHUTDOWN_EVENT_EXIT, SHUTDOWN_IDLE},
    {SHUTDOWN_CONFIRMING, SHUTDOWN_EVENT_EXIT, SHUTDOWN_IDLE},
    {SHUTDOWN_STALLED, SHUTDOWN_EVENT_EXIT, SHUTDOWN_IDLE},
    {SHUTDOWN_POWERING_OFF, SHUTDOWN_EVENT_EXIT, SHUTDOWN_IDLE},
};

}  // namespace

ShutdownState NextShutdownState(ShutdownState state, ShutdownEvent event)
{
    for (Transition const& t : TRANSITIONS) {
        if (t.from == state && t.event == event)
            return t.to;
    }
    return state;
}
