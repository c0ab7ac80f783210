// The window events that arrive while one is handled (a query to another
// program lets the system deliver more). Pure: windows are plain numbers.
// Each event of a window waits once, in the order it first came; a
// foreground change waits as one entry, handled with the window in front
// then. An entry for a window no longer followed makes room for a new one,
// so however many arrive, none that still matters is dropped.
#pragma once

#include <cstdint>

struct PendingEvent {
    uint32_t event;
    uintptr_t window;  // 0 for a foreground change: read when it is handled
    bool foreground;
};

// Room for the one foreground change and every kind of event of the two
// windows followed at a time (the carrier and the one waited for), twice.
int const PENDING_CAPACITY = 40;

struct PendingEvents {
    PendingEvent items[PENDING_CAPACITY];
    int count;
    bool handling;  // one is being handled: the next waits here
};

// Keeps an event of window (a foreground change when foreground) to handle
// later, unless the same waits already. carrier and awaited are the windows
// followed now. False only when no room could be made.
bool AddPendingEvent(PendingEvents& pending, uint32_t event, uintptr_t window, bool foreground, uintptr_t carrier,
                     uintptr_t awaited);

// The event that came first, taken off; false when none waits.
bool TakePendingEvent(PendingEvents& pending, PendingEvent* next);
