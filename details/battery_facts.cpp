#include "details/battery_facts.h"

#include "base/decimal_text.h"
#include "base/text_template.h"

namespace {

// "52.3 Wh" from mWh, rounded to a tenth.
void FormatWattHours(uint32_t milliwattHours, wchar_t* out, size_t capacity)
{
    uint64_t const tenths = (static_cast<uint64_t>(milliwattHours) + 50) / 100;
    wchar_t whole[24], tenth[4];
    FormatDecimal(whole, 24, static_cast<long long>(tenths / 10));
    FormatDecimal(tenth, 4, static_cast<long long>(tenths % 10));
    FillTemplate(out, capacity, L"%s.%s Wh", {whole, tenth});
}

wchar_t const* OrUnknown(wchar_t const* text, FactTexts const& texts)
{
    return text != nullptr && text[0] != L'\0' ? text : texts.unknown;
}

}  // namespace

bool CapacitiesKnown(BatteryFacts const& facts)
{
    return facts.haveInformation && (facts.capabilities & BATTERY_CAPACITY_IS_RELATIVE) == 0 && facts.designed != 0 &&
           facts.designed != BATTERY_CAPACITY_NOT_KNOWN && facts.fullCharged != BATTERY_CAPACITY_NOT_KNOWN;
}

int32_t HealthPercent(BatteryFacts const& facts)
{
    if (!CapacitiesKnown(facts))
        return -1;
    return static_cast<int32_t>((static_cast<uint64_t>(facts.fullCharged) * 100 + facts.designed / 2) / facts.designed);
}

void FormatBatteryFacts(BatteryFacts const* facts, FactTexts const& texts, wchar_t* nameLine, wchar_t* capacityLine,
                        wchar_t* healthLine, size_t capacity)
{
    wchar_t designed[32] = L"", full[32] = L"", health[16] = L"", cycles[16] = L"";
    if (facts != nullptr && CapacitiesKnown(*facts)) {
        FormatWattHours(facts->designed, designed, 32);
        FormatWattHours(facts->fullCharged, full, 32);
        wchar_t number[12];
        FormatDecimal(number, 12, HealthPercent(*facts));
        FillTemplate(health, 16, L"%s%%", {number});
    }
    if (facts != nullptr && facts->haveInformation && facts->cycles != 0)
        FormatDecimal(cycles, 16, facts->cycles);
    FillTemplate(nameLine, capacity, texts.nameLine,
                 {OrUnknown(facts != nullptr ? facts->name : nullptr, texts),
                  OrUnknown(facts != nullptr ? facts->maker : nullptr, texts)});
    FillTemplate(capacityLine, capacity, texts.capacity, {OrUnknown(designed, texts), OrUnknown(full, texts)});
    FillTemplate(healthLine, capacity, texts.health, {OrUnknown(health, texts), OrUnknown(cycles, texts)});
}
