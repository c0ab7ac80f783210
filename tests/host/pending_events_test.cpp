#include "cbt/pending_events.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

uint32_t const FOREGROUND = 0x0003, LOCATION = 0x800B, SHOW = 0x8002, HIDE = 0x8003, DESTROY = 0x8001;

std::vector<PendingEvent> TakeAll(PendingEvents& pending)
{
    std::vector<PendingEvent> taken;
    PendingEvent next;
    while (TakePendingEvent(pending, &next))
        taken.push_back(next);
    return taken;
}

// A thousand events while one is handled: the carrier moving, windows coming
// to the front, the window waited for shown and hidden. Each event of a
// followed window waits once, in the order it first came, and the
// foreground changes as one, read when handled.
TEST(PendingEvents, ABurstOfAThousandKeepsEveryKindOnceInOrder)
{
    PendingEvents pending{};
    uintptr_t const carrier = 0x100, awaited = 0x200;
    for (int i = 0; i < 1000; ++i) {
        switch (i % 4) {
        case 0: EXPECT_TRUE(AddPendingEvent(pending, LOCATION, carrier, false, carrier, awaited)); break;
        case 1: EXPECT_TRUE(AddPendingEvent(pending, FOREGROUND, 0x1000 + i, true, carrier, awaited)); break;
        case 2: EXPECT_TRUE(AddPendingEvent(pending, SHOW, awaited, false, carrier, awaited)); break;
        case 3: EXPECT_TRUE(AddPendingEvent(pending, HIDE, awaited, false, carrier, awaited)); break;
        }
    }
    std::vector<PendingEvent> const taken = TakeAll(pending);
    ASSERT_EQ(4u, taken.size());
    EXPECT_EQ(LOCATION, taken[0].event);
    EXPECT_EQ(carrier, taken[0].window);
    EXPECT_TRUE(taken[1].foreground);
    EXPECT_EQ(0u, taken[1].window) << "the window in front is read when handled";
    EXPECT_EQ(SHOW, taken[2].event);
    EXPECT_EQ(HIDE, taken[3].event);
    EXPECT_EQ(awaited, taken[3].window);
    PendingEvent none;
    EXPECT_FALSE(TakePendingEvent(pending, &none));
}

// The carrier changes a thousand times in the burst: the entries of windows
// no longer followed make room, so the new carrier's events are never
// turned away.
TEST(PendingEvents, EntriesOfWindowsNoLongerFollowedMakeRoom)
{
    PendingEvents pending{};
    for (uintptr_t window = 1; window <= 1000; ++window) {
        for (uint32_t event : {LOCATION, SHOW, HIDE, DESTROY})
            ASSERT_TRUE(AddPendingEvent(pending, event, window, false, window, 0)) << window;
    }
    std::vector<PendingEvent> const taken = TakeAll(pending);
    ASSERT_GE(taken.size(), 4u);
    // The last carrier's four, last and in their order.
    std::vector<uint32_t> const order{LOCATION, SHOW, HIDE, DESTROY};
    for (size_t i = 0; i < 4; ++i) {
        PendingEvent const& item = taken[taken.size() - 4 + i];
        EXPECT_EQ(1000u, item.window);
        EXPECT_EQ(order[i], item.event);
    }
}

// Without stale entries to drop, a full queue says so instead of
// overwriting what waits.
TEST(PendingEvents, AFullQueueOfFollowedWindowsRefusesAndKeepsWhatWaits)
{
    PendingEvents pending{};
    for (int i = 0; i < PENDING_CAPACITY; ++i)
        ASSERT_TRUE(AddPendingEvent(pending, 0x9000 + i, 0x100, false, 0x100, 0));
    EXPECT_FALSE(AddPendingEvent(pending, LOCATION, 0x100, false, 0x100, 0));
    EXPECT_TRUE(AddPendingEvent(pending, 0x9000, 0x100, false, 0x100, 0)) << "already waiting";
    std::vector<PendingEvent> const taken = TakeAll(pending);
    ASSERT_EQ(static_cast<size_t>(PENDING_CAPACITY), taken.size());
    EXPECT_EQ(0x9000u, taken.front().event);
    EXPECT_EQ(0x9000u + PENDING_CAPACITY - 1, taken.back().event);
}

}  // namespace
