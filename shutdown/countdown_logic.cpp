#include "shutdown/countdown_logic.h"

#include "base/decimal_text.h"

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
