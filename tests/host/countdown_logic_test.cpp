// The countdown's percent, bar text, tooltip form and state table.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "shutdown/countdown_logic.h"

namespace {

std::wstring Text(int32_t minutes)
{
    wchar_t buffer[16];
    FormatCountdownText(minutes, buffer, 16);
    return buffer;
}

TEST(CountdownLogic, CountdownsOf1_60And90Minutes)
{
    struct Step {
        int32_t total;
        int32_t remaining;
        int32_t percent;
        wchar_t const* text;
        bool hoursTip;
    } const steps[] = {
        {1, 1, 100, L"0:01", false},
        {1, 0, 0, L"0:00", false},
        {60, 60, 100, L"1:00", true},   // the hours form with 0 minutes
        {60, 59, 98, L"0:59", false},
        {60, 1, 1, L"0:01", false},
        {90, 90, 100, L"1:30", true},
        {90, 89, 98, L"1:29", true},    // 98.88 truncated
        {90, 60, 66, L"1:00", true},
        {90, 59, 65, L"0:59", false},
        {90, 0, 0, L"0:00", false},
    };
    for (Step const& s : steps) {
        EXPECT_EQ(s.percent, CountdownPercent(s.remaining, s.total)) << s.remaining << "/" << s.total;
        EXPECT_EQ(std::wstring(s.text), Text(s.remaining));
        EXPECT_EQ(s.hoursTip, TipUsesHours(s.remaining)) << s.remaining;
    }
}

TEST(CountdownLogic, PercentIsExactForLongCountdowns)
{
    // remaining * 100 leaves 32 bits above 21,474,836 minutes.
    EXPECT_EQ(100, CountdownPercent(INT32_MAX, INT32_MAX));
    EXPECT_EQ(99, CountdownPercent(INT32_MAX - 1, INT32_MAX));
    EXPECT_EQ(50, CountdownPercent(INT32_MAX / 2 + 1, INT32_MAX));
    EXPECT_EQ(100, CountdownPercent(21474837, 21474837));
    EXPECT_EQ(0, CountdownPercent(1, INT32_MAX));
    EXPECT_EQ(0, CountdownPercent(5, 0));  // never divides by zero
    EXPECT_EQ(0, CountdownPercent(5, -3));
    EXPECT_EQ(100, CountdownPercent(91, 90));  // the clock was set back
}

// A deadline of 90 minutes from t = 1,000,000 ms, looked at from moments
// around its minute boundaries, and from far before and after it.
TEST(CountdownDeadline, MinutesRoundUpAndStepsLandOnTheBoundaries)
{
    int64_t const start = 1000000;
    int64_t const deadline = start + 90 * MS_PER_MINUTE;
    struct Case {
        int64_t now;
        int32_t minutes;
        uint32_t nextStep;
    } const cases[] = {
        {start, 90, 60000},
        {start + 1, 90, 59999},
        {start + 59999, 90, 1},
        {start + 60000, 89, 60000},
        {start + 61000, 89, 59000},           // a late tick: the next lands on time
        {deadline - 1, 1, 1},
        {deadline, 0, 0},
        {deadline + 150000, 0, 0},            // slept past it
        {start - 90 * MS_PER_MINUTE, 180, 60000},  // the clock was set back 90 minutes
    };
    for (Case const& c : cases) {
        EXPECT_EQ(c.minutes, MinutesLeftUntil(deadline, c.now)) << c.now - start;
        EXPECT_EQ(c.nextStep, MillisecondsToNextStep(deadline, c.now)) << c.now - start;
    }
    EXPECT_EQ(INT32_MAX, MinutesLeftUntil(INT64_MAX, INT64_MIN));
    EXPECT_EQ(INT32_MAX, MinutesLeftUntil(INT64_MAX, 0));
    EXPECT_EQ(60000u, MillisecondsToNextStep(INT64_MAX, INT64_MIN));
    EXPECT_EQ(0, MinutesLeftUntil(INT64_MIN, INT64_MAX));
}

TEST(CountdownDeadline, PickedMomentsAndMomentsMissedAsleep)
{
    int64_t const now = 5000000;
    EXPECT_EQ(now + 1, DeadlineOfMoment(now + 1, now));
    EXPECT_EQ(now + MS_PER_MINUTE, DeadlineOfMoment(now, now));
    EXPECT_EQ(now + MS_PER_MINUTE, DeadlineOfMoment(now - 3 * MS_PER_MINUTE, now));

    int64_t const deadline = now;
    struct Case {
        int64_t now;
        int64_t resumedAt;
        bool missed;
    } const cases[] = {
        {deadline, 0, false},                        // on time
        {deadline + LATE_STEP_MS - 1, 0, false},     // a busy machine's late timer
        {deadline + LATE_STEP_MS, 0, true},          // the first step after a sleep
        {deadline + 1, deadline - 1, false},         // woke before the moment
        {deadline + 1, deadline, true},              // the resume is heard first
        {deadline + 2 * LATE_STEP_MS, deadline - 5, true},
    };
    for (Case const& c : cases)
        EXPECT_EQ(c.missed, MissedWhileAsleep(deadline, c.now, c.resumedAt)) << c.now - deadline << " " << c.resumedAt;
    EXPECT_TRUE(MissedWhileAsleep(INT64_MIN, INT64_MAX, 0));
    EXPECT_FALSE(MissedWhileAsleep(INT64_MAX, INT64_MIN, 0));
}

TEST(CountdownLogic, TextOfLargeCountsAndShortBuffers)
{
    EXPECT_EQ(std::wstring(L"35791394:07"), Text(INT32_MAX));
    EXPECT_EQ(std::wstring(L"744:59"), Text(44699));
    EXPECT_EQ(std::wstring(L"166:39"), Text(9999));

    wchar_t small[4] = {L'x', L'x', L'x', L'x'};
    FormatCountdownText(90, small, 4);
    EXPECT_EQ(std::wstring(L"1:3"), small);  // cut, still terminated
    wchar_t untouched = L'x';
    FormatCountdownText(90, &untouched, 0);
    EXPECT_EQ(L'x', untouched);
}

TEST(CountdownLogic, StateTable)
{
    struct Allowed {
        ShutdownState from;
        ShutdownEvent event;
        ShutdownState to;
    } const allowed[] = {
        {SHUTDOWN_IDLE, SHUTDOWN_EVENT_START, SHUTDOWN_COUNTING},
        {SHUTDOWN_COUNTING, SHUTDOWN_EVENT_TICK, SHUTDOWN_COUNTING},
        {SHUTDOWN_COUNTING, SHUTDOWN_EVENT_CANCEL, SHUTDOWN_IDLE},
        {SHUTDOWN_COUNTING, SHUTDOWN_EVENT_LAST_TICK, SHUTDOWN_CONFIRMING},
        {SHUTDOWN_CONFIRMING, SHUTDOWN_EVENT_POWER_OFF, SHUTDOWN_POWERING_OFF},
        {SHUTDOWN_CONFIRMING, SHUTDOWN_EVENT_POWER_REFUSED, SHUTDOWN_STALLED},
        // Under way, a refusal or a minute without the session's end stalls
        // it; a menu cancel gives the battery back.
        {SHUTDOWN_POWERING_OFF, SHUTDOWN_EVENT_POWER_REFUSED, SHUTDOWN_STALLED},
        {SHUTDOWN_POWERING_OFF, SHUTDOWN_EVENT_CANCEL, SHUTDOWN_IDLE},
        // A sleep or hibernation ends the countdown; ten more minutes count
        // again, but never after the power-off began.
        {SHUTDOWN_CONFIRMING, SHUTDOWN_EVENT_SUSPENDED, SHUTDOWN_IDLE},
        {SHUTDOWN_CONFIRMING, SHUTDOWN_EVENT_LATER, SHUTDOWN_COUNTING},
        {SHUTDOWN_COUNTING, SHUTDOWN_EVENT_LATER, SHUTDOWN_COUNTING},
        {SHUTDOWN_CONFIRMING, SHUTDOWN_EVENT_DECLINED, SHUTDOWN_IDLE},
        {SHUTDOWN_CONFIRMING, SHUTDOWN_EVENT_CANCEL, SHUTDOWN_IDLE},  // a menu cancel ends the dialog too
        {SHUTDOWN_STALLED, SHUTDOWN_EVENT_CANCEL, SHUTDOWN_IDLE},
        // Exit ends every countdown.
        {SHUTDOWN_COUNTING, SHUTDOWN_EVENT_EXIT, SHUTDOWN_IDLE},
        {SHUTDOWN_CONFIRMING, SHUTDOWN_EVENT_EXIT, SHUTDOWN_IDLE},
        {SHUTDOWN_STALLED, SHUTDOWN_EVENT_EXIT, SHUTDOWN_IDLE},
        {SHUTDOWN_POWERING_OFF, SHUTDOWN_EVENT_EXIT, SHUTDOWN_IDLE},
    };
    // Every other pair leaves the state alone: no tick while idle, stalled or
    // confirming, no second start, no power-off outside the confirmation.
    for (int s = 0; s < SHUTDOWN_STATE_COUNT; ++s) {
        for (int e = 0; e < SHUTDOWN_EVENT_COUNT; ++e) {
            ShutdownState expected = static_cast<ShutdownState>(s);
            for (Allowed const& a : allowed) {
                if (a.from == s && a.event == e)
                    expected = a.to;
            }
            EXPECT_EQ(expected, NextShutdownState(static_cast<ShutdownState>(s), static_cast<ShutdownEvent>(e)))
                << "state " << s << " event " << e;
        }
    }
}

TEST(CountdownLogic, WalksThroughAWholeShutdown)
{
    ShutdownState state = SHUTDOWN_IDLE;
    ShutdownEvent const path[] = {SHUTDOWN_EVENT_START, SHUTDOWN_EVENT_TICK, SHUTDOWN_EVENT_LAST_TICK,
                                  SHUTDOWN_EVENT_POWER_REFUSED, SHUTDOWN_EVENT_TICK, SHUTDOWN_EVENT_CANCEL};
    ShutdownState const seen[] = {SHUTDOWN_COUNTING, SHUTDOWN_COUNTING, SHUTDOWN_CONFIRMING,
                                  SHUTDOWN_STALLED, SHUTDOWN_STALLED, SHUTDOWN_IDLE};
    for (int i = 0; i < 6; ++i) {
        state = NextShutdownState(state, path[i]);
        EXPECT_EQ(seen[i], state) << "step " << i;
    }
}

}  // namespace
