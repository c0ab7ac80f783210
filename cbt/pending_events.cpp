#include "cbt/pending_events.h"

namespace {

bool Same(PendingEvent const& a, PendingEvent const& b)
{
    return a.foreground == b.foreground && (a.foreground || (a.event == b.event && a.window == b.window));
}

// Drops the entries of windows no longer followed, keeping the order.
void DropUnfollowed(PendingEvents& pending, uintptr_t carrier, uintptr_t awaited)
{
    int kept = 0;
    for (int i = 0; i < pending.count; ++i) {
        PendingEvent const& item = pending.items[i];
        if (item.foreground || item.window == carrier || item.window == awaited)
            pending.items[kept++] = item;
    }
    pending.count = kept;
}

}  // namespace

bool AddPendingEvent(PendingEvents& pending, uint32_t event, uintptr_t window, bool foreground, uintptr_t carrier,
                     uintptr_t awaited)
{
    PendingEvent const added{foreground ? 0u : event, foreground ? 0u : window, foreground};
    for (int i = 0; i < pending.count; ++i) {
        if (Same(pending.items[i], added))
            return true;
    }
    if (pending.count == PENDING_CAPACITY)
        DropUnfollowed(pending, carrier, awaited);
    if (pending.count == PENDING_CAPACITY)
        return false;
    pending.items[pending.count++] = added;
    return true;
}

bool TakePendingEvent(PendingEvents& pending, PendingEvent* next)
{
    if (pending.count == 0)
        return false;
    *next = pending.items[0];
    for (int i = 1; i < pending.count; ++i)
        pending.items[i - 1] = pending.items[i];
    --pending.count;
    return true;
}
