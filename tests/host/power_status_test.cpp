#include "bar/power_status.h"

#include <gtest/gtest.h>

#include <climits>

#include <cwchar>
#include <string>

namespace {

struct MappingCase {
    PowerReading reading;
    bool readSucceeded;
    int32_t percent;
    int32_t powerState;
    bool hasPercent;
    wchar_t const* text;
};

class PowerMapping : public ::testing::TestWithParam<MappingCase> {};

TEST_P(PowerMapping, GivesPercentStateAndText)
{
    MappingCase const& c = GetParam();
    BatteryView const view = MapPowerReading(c.reading, c.readSucceeded);
    EXPECT_EQ(c.percent, view.percent);
    EXPECT_EQ(c.powerState, view.powerState);
    EXPECT_EQ(c.hasPercent, view.hasPercent);
    wchar_t text[16];
    FormatBatteryText(view, text, 16);
    EXPECT_EQ(std::wstring(c.text), std::wstring(text));
}

INSTANTIATE_TEST_SUITE_P(
    Readings, PowerMapping,
    ::testing::Values(
        // No percentage: NA over a full bar, no icon even on mains power.
        MappingCase{{1, 128, 255}, true, 100, POWER_STATE_NONE, false, L"NA"},
        MappingCase{{0, 0, 101}, true, 100, POWER_STATE_NONE, false, L"NA"},
        // A failed read is unknown, not a made-up 0 %.
        MappingCase{{0, 0, 0}, false, 100, POWER_STATE_NONE, false, L"NA"},
        MappingCase{{1, 8, 100}, true, 100, POWER_STATE_MAINS, true, L"100%"},
        MappingCase{{0, 0, 0}, true, 0, POWER_STATE_NONE, true, L"0%"},
        MappingCase{{0, 1, 57}, true, 57, POWER_STATE_NONE, true, L"57%"},
        // Critical is the bit, alone or with "low" as Windows reports it.
        MappingCase{{0, 4, 3}, true, 3, POWER_STATE_CRITICAL, true, L"3%"},
        MappingCase{{0, 6, 3}, true, 3, POWER_STATE_CRITICAL, true, L"3%"},
        MappingCase{{255, 4, 3}, true, 3, POWER_STATE_CRITICAL, true, L"3%"},
        // 255 is "unknown status", never critical.
        MappingCase{{0, 255, 3}, true, 3, POWER_STATE_NONE, true, L"3%"},
        // Mains wins over critical.
        MappingCase{{1, 4, 3}, true, 3, POWER_STATE_MAINS, true, L"3%"},
        MappingCase{{1, 6, 9}, true, 9, POWER_STATE_MAINS, true, L"9%"}));

TEST(BatteryText, IsCutToTheBuffer)
{
    wchar_t text[3] = {L'x', L'x', L'x'};
    FormatBatteryText(BatteryView{100, POWER_STATE_NONE, true}, text, 3);
    EXPECT_EQ(std::wstring(L"10"), std::wstring(text));
    FormatBatteryText(BatteryView{100, POWER_STATE_NONE, false}, text, 2);
    EXPECT_EQ(std::wstring(L"N"), std::wstring(text));
}

TEST(BatteryText, SameReadingGivesSameValues)
{
    PowerReading const reading{0, 6, 42};
    BatteryView const a = MapPowerReading(reading, true);
    BatteryView const b = MapPowerReading(reading, true);
    EXPECT_EQ(a.percent, b.percent);
    EXPECT_EQ(a.powerState, b.powerState);
}

TEST(RefreshPeriod, StoredIntervalsClampedToASecondAndAnHour)
{
    struct Case {
        int32_t interval;
        uint32_t period;
    } const cases[] = {
        {INT32_MIN, 1000}, {-1, 1000}, {0, 1000},         {250, 1000},          {999, 1000},
        {1000, 1000},      {5000, 5000}, {3600000, 3600000}, {3600001, 3600000}, {INT32_MAX, 3600000},
    };
    for (Case const& c : cases)
        EXPECT_EQ(c.period, RefreshPeriod(c.interval)) << c.interval;
}

}  // namespace
