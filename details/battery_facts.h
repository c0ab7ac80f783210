// What a battery device says of itself, and the lines the Battery details
// window makes of it. Pure logic, no window system.
#pragma once

#include <cstddef>
#include <cstdint>

// BATTERY_INFORMATION's capability bit for capacities that are relative
// (a proportion, not mWh), and its "not known" capacity.
uint32_t const BATTERY_CAPACITY_IS_RELATIVE = 0x40000000u;
uint32_t const BATTERY_CAPACITY_NOT_KNOWN = 0xFFFFFFFFu;

size_t const BATTERY_TEXT_SIZE = 64;

// One battery as its device reports it; empty texts and haveInformation
// false for what it did not answer.
struct BatteryFacts {
    wchar_t name[BATTERY_TEXT_SIZE];
    wchar_t maker[BATTERY_TEXT_SIZE];
    bool haveInformation;    // BatteryInformation answered
    uint32_t capabilities;   // BATTERY_INFORMATION.Capabilities
    uint32_t designed;       // mWh
    uint32_t fullCharged;    // mWh
    uint32_t cycles;         // 0: not counted
};

// The capacities in mWh, or false: relative capacities, a capacity the
// battery does not know, or none designed.
bool CapacitiesKnown(BatteryFacts const& facts);

// Full-charge over design capacity in whole percent, rounded; -1 unknown.
int32_t HealthPercent(BatteryFacts const& facts);

// The resource texts the lines are made of.
struct FactTexts {
    wchar_t const* unknown;   // "未知"
    wchar_t const* nameLine;  // "%s，%s": name, maker
    wchar_t const* capacity;  // "设计容量 %s，充满容量 %s": each "52.0 Wh"
    wchar_t const* health;    // "健康度 %s，循环次数 %s": "90%", "123"
};

// Three lines for one battery, or for none (facts null): every fact unknown.
void FormatBatteryFacts(BatteryFacts const* facts, FactTexts const& texts, wchar_t* nameLine, wchar_t* capacityLine,
                        wchar_t* healthLine, size_t capacity);
