// The countdown's states and formulas: what an auto-shutdown shows in the
// bar and the tooltip, and which state follows which event.
#pragma once

#include <cstddef>
#include <cstdint>

// Share of the countdown still to run, 0..100, truncated; exact for any
// 32-bit length. A total of 0 or less reads 0.
int32_t CountdownPercent(int32_t remaining, int32_t total);

// The bar text "H:MM" of the minutes left (90 reads 1:30). Always
// terminated; size 16 holds any 32-bit count.
void FormatCountdownText(int32_t minutes, wchar_t* out, size_t size);

// The tooltip's hours form ("1小时0分钟…") while a whole hour is left, the
// minutes form otherwise.
bool TipUsesHours(int32_t minutes);

enum ShutdownState {
    SHUTDOWN_IDLE,
    SHUTDOWN_COUNTING,
    SHUTDOWN_CONFIRMING,  // the confirmation dialog is open
    SHUTDOWN_STALLED,     // confirmed, but the power-off was refused
    SHUTDOWN_ENDED,       // the power-off is under way; the bar goes
};

enum ShutdownEvent {
    SHUTDOWN_EVENT_START,          // OK in the Auto-shutdown dialog
    SHUTDOWN_EVENT_TICK,           // a countdown minute passed, some left
    SHUTDOWN_EVENT_LAST_TICK,      // a countdown minute passed, none left
    SHUTDOWN_EVENT_CANCEL,         // the user confirmed a cancel from the menu
    SHUTDOWN_EVENT_DECLINED,       // the confirmation ended otherwise than with OK
    SHUTDOWN_EVENT_POWER_OFF,      // confirmed and the power-off set going
    SHUTDOWN_EVENT_POWER_REFUSED,  // confirmed but the power-off failed
};

int const SHUTDOWN_STATE_COUNT = SHUTDOWN_ENDED + 1;
int const SHUTDOWN_EVENT_COUNT = SHUTDOWN_EVENT_POWER_REFUSED + 1;

// The state after an event; an event that does not apply in a state (a
// stray tick while idle, a second start while counting) leaves it as it is.
ShutdownState NextShutdownState(ShutdownState state, ShutdownEvent event);
