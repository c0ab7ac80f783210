#include "shutdown/countdown_logic.h"

#include <cstdio>

int32_t CountdownPercent(int32_t remaining, int32_t total)
{
    if (total <= 0)
        return 0;
    return static_cast<int32_t>(static_cast<int64_t>(remaining) * 100 / total);
}

void FormatCountdownText(int32_t minutes, wchar_t* out, size_t size)
{
    if (size == 0)
        return;
    char text[32];
    int const length = std::snprintf(text, sizeof text, "%ld:%02d", static_cast<long>(minutes / 60),
                                     static_cast<int>(minutes % 60));
    size_t i = 0;
    for (; length > 0 && i + 1 < size && text[i] != '\0'; ++i)
        out[i] = static_cast<wchar_t>(text[i]);
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
    {SHUTDOWN_CONFIRMING, SHUTDOWN_EVENT_POWER_OFF, SHUTDOWN_ENDED},
    {SHUTDOWN_CONFIRMING, SHUTDOWN_EVENT_POWER_REFUSED, SHUTDOWN_STALLED},
    {SHUTDOWN_STALLED, SHUTDOWN_EVENT_CANCEL, SHUTDOWN_IDLE},
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
