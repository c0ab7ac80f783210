#include "bar/battery_details.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The string table's texts.
TipTexts const TEXTS{L"电量监视",      L"电量 %d%%",    L"，剩余 %s",    L"，充电中",
                     L"，约 %s后充满", L"，已接通电源", L"未检测到电池", L"%d小时%d分钟",
                     L"%d分钟",        L"放电功率 %s W", L"充电功率 %s W"};

uint32_t const NO_LIFE = LIFE_TIME_UNKNOWN;
uint32_t const NO_RATE = RATE_UNKNOWN;

// A reading of both records: SYSTEM_POWER_STATUS's bytes and life time, and
// SYSTEM_BATTERY_STATE's charging flag, capacities (mWh) and rate (mW).
BatteryDetails Status(uint8_t ac, uint8_t flag, uint8_t percent, uint32_t life, bool charging = false,
                      uint32_t maxCap = 120000, uint32_t remaining = 68400, uint32_t rate = NO_RATE)
{
    return BatteryDetails{{ac, flag, percent}, true, life, true, charging, maxCap, remaining, rate};
}

struct TipCase {
    char const* what;
    BatteryDetails details;
    wchar_t const* tip;  // after the title line
    wchar_t const* barWithTime;
};

class BatteryTip : public ::testing::TestWithParam<TipCase> {};

TEST_P(BatteryTip, LinesAndBarText)
{
    TipCase const& c = GetParam();
    wchar_t tip[128];
    FormatBatteryTip(c.details, TEXTS, tip, 128);
    std::wstring const expected = std::wstring(L"电量监视") + (c.tip[0] != L'\0' ? L"\n" : L"") + c.tip;
    EXPECT_EQ(expected, tip) << c.what;
    wchar_t bar[16];
    FormatBarText(c.details, true, bar, 16);
    EXPECT_EQ(std::wstring(c.barWithTime), bar) << c.what;
    wchar_t plain[16], percent[16];
    FormatBarText(c.details, false, plain, 16);
    FormatBatteryText(MapPowerReading(c.details.reading, c.details.readSucceeded), percent, 16);
    EXPECT_EQ(std::wstring(percent), plain) << c.what;
}

// Negative, as Wine and many drivers report it whichever way the power flows.
uint32_t const RATE_12W = static_cast<uint32_t>(-12000);
uint32_t const RATE_15W3 = static_cast<uint32_t>(-15300);

INSTANTIATE_TEST_SUITE_P(
    Readings, BatteryTip,
    ::testing::Values(
        TipCase{"on battery", Status(0, 0, 57, 20520, false, 120000, 68400, RATE_12W),
                L"电量 57%，剩余 5小时42分钟\n放电功率 12.0 W", L"5:42"},
        TipCase{"under an hour, a positive rate", Status(0, 2, 9, 42 * 60 + 59, false, 120000, 10800, 7350),
                L"电量 9%，剩余 42分钟\n放电功率 7.4 W", L"0:42"},
        TipCase{"no estimate, rate unknown", Status(0, 1, 57, NO_LIFE), L"电量 57%", L"57%"},
        TipCase{"no estimate, rate 0", Status(255, 1, 57, NO_LIFE, false, 120000, 68400, 0), L"电量 57%", L"57%"},
        TipCase{"over 99 hours: the bar keeps the percentage", Status(0, 1, 90, 100 * 3600 + 5 * 60),
                L"电量 90%，剩余 100小时5分钟", L"90%"},
        TipCase{"99:59 still fits the bar", Status(0, 1, 90, BAR_TIME_MAX_SECONDS), L"电量 90%，剩余 99小时59分钟",
                L"99:59"},
        TipCase{"charging with a negative rate", Status(1, 8, 57, NO_LIFE, true, 120000, 68400, RATE_15W3),
                L"电量 57%，充电中，约 3小时23分钟后充满\n充电功率 15.3 W", L"57%"},
        TipCase{"charging by the flag alone, 40 minutes", Status(1, 8, 80, NO_LIFE, false, 120000, 96000, 36000),
                L"电量 80%，充电中，约 40分钟后充满\n充电功率 36.0 W", L"80%"},
        TipCase{"charging, rate unknown", Status(1, 8, 57, NO_LIFE, true), L"电量 57%，充电中", L"57%"},
        TipCase{"charging, rate 0", Status(1, 8, 57, NO_LIFE, true, 120000, 68400, 0), L"电量 57%，充电中", L"57%"},
        TipCase{"charging, capacity unknown", Status(1, 8, 57, NO_LIFE, true, CAPACITY_UNKNOWN, 68400, 9000),
                L"电量 57%，充电中\n充电功率 9.0 W", L"57%"},
        TipCase{"100 % on the charger", Status(1, 1, 100, NO_LIFE, false, 120000, 120000, 0), L"电量 100%，已接通电源",
                L"100%"},
        TipCase{"on the charger, a stray rate", Status(1, 1, 100, NO_LIFE, false, 120000, 120000, 500),
                L"电量 100%，已接通电源", L"100%"},
        TipCase{"no battery", Status(1, 128, 255, NO_LIFE), L"未检测到电池", L"NA"},
        TipCase{"a battery that tells nothing", Status(0, 255, 255, NO_LIFE), L"", L"NA"},
        TipCase{"no battery state: no rate", BatteryDetails{{0, 0, 57}, true, 3600, false, false, 0, 0, 12000},
                L"电量 57%，剩余 1小时0分钟", L"1:00"},
        TipCase{"a failed read", BatteryDetails{{0, 0, 0}, false, 0, false, false, 0, 0, 0}, L"", L"NA"}));

// The widest numbers the records can hold still fit the shell's 127 characters.
TEST(BatteryTip, LongestFitsTheShell)
{
    wchar_t tip[128];
    FormatBatteryTip(Status(1, 8, 100, NO_LIFE, true, 0xFFFFFFFE, 0, 1), TEXTS, tip, 128);
    EXPECT_EQ(std::wstring(L"电量监视\n电量 100%，充电中，约 4294967294小时0分钟后充满\n充电功率 0.0 W"), tip);
    FormatBatteryTip(Status(0, 0, 100, 0xFFFFFFFE, false, 1, 1, 0x7FFFFFFF), TEXTS, tip, 128);
    EXPECT_EQ(std::wstring(L"电量监视\n电量 100%，剩余 1193046小时28分钟\n放电功率 2147483.6 W"), tip);
    // A longer translation is cut, never overrun.
    wchar_t small[12];
    FormatBatteryTip(Status(0, 0, 57, 20520), TEXTS, small, 12);
    EXPECT_EQ(std::wstring(L"电量监视\n电量 57%"), small);
}

}  // namespace
