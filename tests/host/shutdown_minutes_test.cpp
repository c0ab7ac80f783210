// The Auto-shutdown dialog's arithmetic: durations, spans between FILETIME
// moments and the 32-bit bound.
#include <gtest/gtest.h>

#include <cstdint>

#include "shutdown/shutdown_minutes.h"

namespace {

// Some moment as a FILETIME value; only differences matter.
uint64_t const NOW = 134098095000000000ull;
uint64_t const SECOND = 10000000ull;

TEST(ShutdownMinutes, DurationTable)
{
    struct Case {
        bool hoursRead;
        uint32_t hours;
        bool minutesRead;
        uint32_t minutes;
        DurationCheck check;
        int32_t result;
    } const cases[] = {
        {true, 0, true, 30, DURATION_OK, 30},            // the dialog's defaults
        {true, 0, true, 0, DURATION_OK, 1},              // nothing at all still waits a minute
        {true, 0, true, 1, DURATION_OK, 1},
        {true, 744, true, 59, DURATION_OK, 44699},       // the spinners' ends
        {true, 9999, true, 59, DURATION_OK, 599999},     // typed beyond the spinner
        {true, 1, true, 0, DURATION_OK, 60},
        {true, 0, true, 59, DURATION_OK, 59},
        {true, 0, true, 60, DURATION_BAD_MINUTES, 0},
        {true, 0, true, 99, DURATION_BAD_MINUTES, 0},
        {true, 5, false, 0, DURATION_BAD_MINUTES, 0},    // empty minutes
        {false, 0, true, 30, DURATION_BAD_HOURS, 0},     // empty hours
        {false, 0, false, 75, DURATION_BAD_HOURS, 0},    // hours win: minutes not examined
        {true, 35791393, true, 59, DURATION_OK, 2147483639},
        {true, 35791394, true, 0, DURATION_BAD_HOURS, 0},  // a sent text the edit limit missed
        {true, UINT32_MAX, true, 0, DURATION_BAD_HOURS, 0},
        {true, 0, true, UINT32_MAX, DURATION_BAD_MINUTES, 0},
    };
    for (Case const& c : cases) {
        DurationMinutes const got = MinutesOfDuration(c.hoursRead, c.hours, c.minutesRead, c.minutes);
        EXPECT_EQ(c.check, got.check) << c.hours << " h " << c.minutes << " min";
        EXPECT_EQ(c.result, got.minutes) << c.hours << " h " << c.minutes << " min";
    }
}

TEST(ShutdownMinutes, SpansBetweenMoments)
{
    struct Case {
        int64_t offsetSeconds;  // target minus now
        int64_t minutes;
    } const cases[] = {
        {0, 0},
        {59, 0},
        {60, 1},
        {29 * 60 + 30, 29},  // the part minute is dropped
        {30 * 60, 30},
        {-1, 0},             // truncated toward zero, not floored
        {-59, 0},
        {-60, -1},
        {-90, -1},
        {24 * 3600, 1440},
    };
    for (Case const& c : cases) {
        uint64_t const target = NOW + static_cast<uint64_t>(c.offsetSeconds * static_cast<int64_t>(SECOND));
        EXPECT_EQ(c.minutes, MinutesBetweenTicks(NOW, target)) << c.offsetSeconds << " s";
    }
    // Sub-second parts: 29 min 30.9999999 s is still 29 whole minutes.
    EXPECT_EQ(29, MinutesBetweenTicks(NOW, NOW + (29 * 60 + 30) * SECOND + 9999999));
    // From the first FILETIME moment to a year-30827 one: no overflow.
    EXPECT_EQ(15372286728ll, MinutesBetweenTicks(0, 0x7FFFFFFFFFFFFFFFull));
    EXPECT_EQ(-15372286728ll, MinutesBetweenTicks(0x7FFFFFFFFFFFFFFFull, 0));
}

TEST(ShutdownMinutes, MomentsBecomeCountdownLengths)
{
    struct Case {
        int64_t span;
        bool fits;
        int32_t minutes;
    } const cases[] = {
        {29, true, 29},
        {1, true, 1},
        {0, true, 1},             // less than a minute ahead
        {-1, true, 1},            // a time already past today
        {-5000000000ll, true, 1}, // far in the past, no wrap into a large count
        {2147483647ll, true, 2147483647},
        {2147483648ll, false, 0}, // one more would wrap to a negative count
        {4294967297ll, false, 0}, // would wrap to 1
        {15372286728ll * 600, false, 0},
    };
    for (Case const& c : cases) {
        MomentMinutes const got = MinutesOfMoment(c.span);
        EXPECT_EQ(c.fits, got.fits) << c.span;
        EXPECT_EQ(c.minutes, got.minutes) << c.span;
    }
}

}  // namespace
