#include "details/battery_facts.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {

BatteryFacts Facts(uint32_t capabilities, uint32_t designed, uint32_t full, uint32_t cycles, bool answered = true)
{
    BatteryFacts facts{};
    std::wcscpy(facts.name, L"DELL 7FHHV62");
    std::wcscpy(facts.maker, L"SMP");
    facts.haveInformation = answered;
    facts.capabilities = capabilities;
    facts.designed = designed;
    facts.fullCharged = full;
    facts.cycles = cycles;
    return facts;
}

FactTexts const TEXTS{L"未知", L"%s，%s", L"设计容量 %s，充满容量 %s", L"健康度 %s，循环次数 %s"};

TEST(BatteryFacts, HealthAndItsLines)
{
    uint32_t const SYSTEM = 0x80000000u;
    struct {
        char const* what;
        BatteryFacts facts;
        int32_t health;
        wchar_t const* capacity;
        wchar_t const* healthLine;
    } const cases[] = {
        {"worn", Facts(SYSTEM, 62000, 55800, 123), 90, L"设计容量 62.0 Wh，充满容量 55.8 Wh", L"健康度 90%，循环次数 123"},
        {"rounded", Facts(SYSTEM, 3000, 2999, 1), 100, L"设计容量 3.0 Wh，充满容量 3.0 Wh", L"健康度 100%，循环次数 1"},
        {"new, above design", Facts(SYSTEM, 50000, 51049, 2), 102, L"设计容量 50.0 Wh，充满容量 51.0 Wh",
         L"健康度 102%，循环次数 2"},
        {"no cycle count", Facts(SYSTEM, 40000, 30000, 0), 75, L"设计容量 40.0 Wh，充满容量 30.0 Wh",
         L"健康度 75%，循环次数 未知"},
        {"relative capacity", Facts(SYSTEM | BATTERY_CAPACITY_IS_RELATIVE, 100, 96, 7), -1,
         L"设计容量 未知，充满容量 未知", L"健康度 未知，循环次数 7"},
        {"zero design", Facts(SYSTEM, 0, 30000, 7), -1, L"设计容量 未知，充满容量 未知", L"健康度 未知，循环次数 7"},
        {"unknown full", Facts(SYSTEM, 40000, BATTERY_CAPACITY_NOT_KNOWN, 7), -1, L"设计容量 未知，充满容量 未知",
         L"健康度 未知，循环次数 7"},
        {"no answer", Facts(SYSTEM, 40000, 30000, 7, false), -1, L"设计容量 未知，充满容量 未知",
         L"健康度 未知，循环次数 未知"},
        {"huge", Facts(SYSTEM, 0xFFFFFFFEu, 0xFFFFFFFEu, 1), 100, L"设计容量 4294967.3 Wh，充满容量 4294967.3 Wh",
         L"健康度 100%，循环次数 1"},
    };
    for (auto const& c : cases) {
        EXPECT_EQ(c.health, HealthPercent(c.facts)) << c.what;
        wchar_t name[80], capacity[80], health[80];
        FormatBatteryFacts(&c.facts, TEXTS, name, capacity, health, 80);
        EXPECT_EQ(std::wstring(L"DELL 7FHHV62，SMP"), name) << c.what;
        EXPECT_EQ(std::wstring(c.capacity), capacity) << c.what;
        EXPECT_EQ(std::wstring(c.healthLine), health) << c.what;
    }
}

TEST(BatteryFacts, NoBatteryOrNoNamesReadUnknown)
{
    wchar_t name[80], capacity[80], health[80];
    FormatBatteryFacts(nullptr, TEXTS, name, capacity, health, 80);
    EXPECT_EQ(std::wstring(L"未知，未知"), name);
    EXPECT_EQ(std::wstring(L"设计容量 未知，充满容量 未知"), capacity);
    EXPECT_EQ(std::wstring(L"健康度 未知，循环次数 未知"), health);

    BatteryFacts facts = Facts(0, 1000, 900, 0);
    facts.name[0] = facts.maker[0] = L'\0';
    FormatBatteryFacts(&facts, TEXTS, name, capacity, health, 12);
    EXPECT_EQ(std::wstring(L"未知，未知"), name);
    EXPECT_EQ(11u, std::wcslen(capacity)) << "cut to the room given";
}

}  // namespace
