#include "settings/settings_table.h"

#include "base/decimal_text.h"
#include "base/rect.h"
#include "res/resource.h"

#include <cwchar>
#include <cwctype>

namespace {

// A row of each kind; ShownBy and ListedAs add the dialog's control.
SettingKey constexpr Row(wchar_t const* section, wchar_t const* name, SettingKind kind, int32_t fallback)
{
    return SettingKey{section, name, kind,    fallback, nullptr,      nullptr, nullptr, 0,      0,
                      nullptr, nullptr, 0,    CONTROL_NONE, 0,        nullptr, 0};
}

SettingKey constexpr Flag(wchar_t const* section, wchar_t const* name, bool Settings::*field, int32_t fallback)
{
    SettingKey key = Row(section, name, SETTING_FLAG, fallback);
    key.flag = field;
    return key;
}

SettingKey constexpr Number(wchar_t const* section, wchar_t const* name, int32_t Settings::*field, int32_t fallback)
{
    SettingKey key = Row(section, name, SETTING_NUMBER, fallback);
    key.number = field;
    return key;
}

SettingKey constexpr Byte(wchar_t const* section, wchar_t const* name, uint8_t Settings::*field, int32_t fallback)
{
    SettingKey key = Row(section, name, SETTING_BYTE, fallback);
    key.byte = field;
    return key;
}

SettingKey constexpr Ranged(wchar_t const* section, wchar_t const* name, int32_t Settings::*field, int32_t fallback,
                            int32_t lowest, int32_t highest)
{
    SettingKey key = Row(section, name, SETTING_RANGED, fallback);
    key.number = field;
    key.lowest = lowest;
    key.highest = highest;
    return key;
}

SettingKey constexpr Language(wchar_t const* section, wchar_t const* name, LanguageChoice Settings::*field)
{
    SettingKey key = Row(section, name, SETTING_LANGUAGE, static_cast<int32_t>(LanguageChoice::AsWindows));
    key.language = field;
    return key;
}

SettingKey constexpr Word(wchar_t const* section, wchar_t const* name, int32_t Settings::*field,
                          wchar_t const* const* words, int32_t count)
{
    SettingKey key = Row(section, name, SETTING_WORD, 0);
    key.number = field;
    key.words = words;
    key.wordCount = count;
    return key;
}

wchar_t const* const ACTION_WORDS[SHUTDOWN_ACTION_COUNT] = {L"shutdown", L"restart", L"sleep", L"hibernate"};

// The dialog's list rows, in the values' order.
int const BAR_TEXT_NAMES[] = {IDS_OPTIONS_BAR_PERCENT, IDS_OPTIONS_BAR_TIME};
int const LANGUAGE_NAMES[LANGUAGE_CHOICE_COUNT] = {IDS_LANGUAGE_AS_WINDOWS, IDS_LANGUAGE_CHINESE,
                                                   IDS_LANGUAGE_ENGLISH};

bool InRange(SettingKey const& key, int64_t value)
{
    return value >= key.lowest && value <= key.highest;
}

}  // namespace

SettingKey const SETTING_KEYS[SETTING_COUNT] = {
    Flag(L"Brisvane", L"AutoRun", &Settings::autoRun, DEFAULT_AUTORUN).ShownBy(CONTROL_CHECK_BOX, IDC_OPTIONS_AUTORUN),
    Flag(L"Brisvane", L"Adhere", &Settings::adhere, DEFAULT_ADHERE).ShownBy(CONTROL_CHECK_BOX, IDC_OPTIONS_ADHERE),
    Flag(L"Brisvane", L"IgnoreDUI", &Settings::ignoreDUI, DEFAULT_IGNOREDUI)
        .ShownBy(CONTROL_CHECK_BOX, IDC_OPTIONS_IGNOREDUI),
    Number(L"Brisvane", L"BarWidth", &Settings::barWidth, DEFAULT_BARWIDTH),
    Number(L"Brisvane", L"Interval", &Settings::interval, DEFAULT_INTERVAL).ShownBy(CONTROL_OWN, IDC_OPTIONS_INTERVAL),
    Byte(L"Brisvane", L"Alpha", &Settings::alpha, DEFAULT_ALPHA).ShownBy(CONTROL_OWN, IDC_OPTIONS_ALPHA),
    Ranged(L"Brisvane", L"BarText", &Settings::barText, DEFAULT_BARTEXT, 0, 1)
        .ListedAs(IDC_OPTIONS_BARTEXT, BAR_TEXT_NAMES, 2),
    Ranged(L"Brisvane", L"AlertLow", &Settings::alertLow, DEFAULT_ALERTLOW, 0, 100)
        .ShownBy(CONTROL_OWN, IDC_OPTIONS_ALERTLOW),
    Ranged(L"Brisvane", L"AlertHigh", &Settings::alertHigh, DEFAULT_ALERTHIGH, 0, 100)
        .ShownBy(CONTROL_OWN, IDC_OPTIONS_ALERTHIGH),
    Language(L"Brisvane", L"Language", &Settings::language)
        .ListedAs(IDC_OPTIONS_LANGUAGE, LANGUAGE_NAMES, LANGUAGE_CHOICE_COUNT),
    // Chosen in the Auto-shutdown dialog, which keeps them for the next time.
    Flag(L"Brisvane", L"ForceClose", &Settings::forceClose, DEFAULT_FORCECLOSE),
    Word(L"Brisvane", L"ShutdownAction", &Settings::shutdownAction, ACTION_WORDS, SHUTDOWN_ACTION_COUNT),
    Flag(L"Brisvane", L"History", &Settings::history, DEFAULT_HISTORY),
    Number(L"Position", L"X", &Settings::positionX, 0),  // from the screen: SettingDefault
    Number(L"Position", L"Y", &Settings::positionY, DEFAULT_POSITION_Y),
};

SettingKey const* FindSettingKey(wchar_t const* name)
{
    for (SettingKey const& key : SETTING_KEYS) {
        if (std::wcscmp(key.name, name) == 0)
            return &key;
    }
    return nullptr;
}

int32_t DefaultPositionX(int32_t screenWidth, int32_t captionHeight, int32_t barWidth)
{
    return Saturate(static_cast<int64_t>(screenWidth) - (4 * static_cast<int64_t>(captionHeight) + 24) -
                    barWidth);
}

int32_t SettingDefault(SettingKey const& key, int32_t screenWidth, int32_t captionHeight, int32_t barWidth)
{
    if (key.number == &Settings::positionX)
        return DefaultPositionX(screenWidth, captionHeight, barWidth);
    return key.fallback;
}

int32_t SettingValue(Settings const& settings, SettingKey const& key)
{
    switch (key.kind) {
    case SETTING_FLAG:
        return settings.*key.flag ? 1 : 0;
    case SETTING_BYTE:
        return settings.*key.byte;
    case SETTING_LANGUAGE:
        return static_cast<int32_t>(settings.*key.language);
    case SETTING_NUMBER:
    case SETTING_RANGED:
    case SETTING_WORD:
        break;
    }
    return settings.*key.number;
}

void StoreSetting(Settings& settings, SettingKey const& key, int32_t read)
{
    int32_t const kept = KeptSettingValue(key.kind, read);
    switch (key.kind) {
    case SETTING_FLAG:
        settings.*key.flag = kept != 0;
        return;
    case SETTING_BYTE:
        settings.*key.byte = static_cast<uint8_t>(kept);
        return;
    case SETTING_LANGUAGE:
        settings.*key.language = LanguageChoiceFromNumber(kept);
        return;
    case SETTING_NUMBER:
        settings.*key.number = kept;
        return;
    case SETTING_RANGED:
        settings.*key.number = InRange(key, read) ? read : key.fallback;
        return;
    case SETTING_WORD:
        settings.*key.number = read >= 0 && read < key.wordCount ? read : key.fallback;
        return;
    }
}

int32_t RangedSettingFromText(SettingKey const& key, wchar_t const* text)
{
    size_t i = 0;
    bool const negative = text[0] == L'-';
    if (negative)
        ++i;
    int64_t value = 0;
    for (; text[i] >= L'0' && text[i] <= L'9' && value <= INT32_MAX; ++i)
        value = value * 10 + (text[i] - L'0');
    bool const whole = text[i] == L'\0' && i > (negative ? 1u : 0u);
    if (negative)
        value = -value;
    return whole && InRange(key, value) ? static_cast<int32_t>(value) : key.fallback;
}

int32_t KeptSettingValue(SettingKind kind, int32_t read)
{
    switch (kind) {
    case SETTING_FLAG:
        return read != 0 ? 1 : 0;
    case SETTING_BYTE:
        return static_cast<int32_t>(static_cast<uint32_t>(read) & 0xFFu);
    case SETTING_LANGUAGE:
        return static_cast<int32_t>(LanguageChoiceFromNumber(read));
    case SETTING_NUMBER:
    case SETTING_RANGED:
    case SETTING_WORD:
        break;
    }
    return read;
}

int32_t SettingFromText(SettingKind kind, wchar_t const* text)
{
    if (kind != SETTING_LANGUAGE)
        return 0;
    return static_cast<int32_t>(LanguageChoiceFromText(text));
}

SettingText FormatSettingValue(SettingKind kind, int32_t value)
{
    SettingText result;
    if (kind == SETTING_LANGUAGE) {
        std::wcsncpy(result.text, LanguageChoiceText(LanguageChoiceFromNumber(value)), SETTING_TEXT_SIZE - 1);
        result.text[SETTING_TEXT_SIZE - 1] = L'\0';
        return result;
    }
    FormatDecimal(result.text, SETTING_TEXT_SIZE, KeptSettingValue(kind, value));
    return result;
}

int32_t WordSettingFromText(SettingKey const& key, wchar_t const* text)
{
    for (int32_t i = 0; i < key.wordCount; ++i) {
        wchar_t const* word = key.words[i];
        size_t j = 0;
        while (word[j] != L'\0' && std::towlower(word[j]) == std::towlower(text[j]))
            ++j;
        if (word[j] == L'\0' && text[j] == L'\0')
            return i;
    }
    return key.fallback;
}

SettingText FormatSetting(SettingKey const& key, int32_t value)
{
    if (key.kind != SETTING_WORD)
        return FormatSettingValue(key.kind, value);
    int32_t const index = value >= 0 && value < key.wordCount ? value : key.fallback;
    SettingText result;
    std::wcsncpy(result.text, key.words[index], SETTING_TEXT_SIZE - 1);
    result.text[SETTING_TEXT_SIZE - 1] = L'\0';
    return result;
}

bool EditedInOptions(SettingKey const& key)
{
    return key.shownAs != CONTROL_NONE;
}

void CopyEditedSettings(Settings& destination, Settings const& source)
{
    for (SettingKey const& key : SETTING_KEYS) {
        if (EditedInOptions(key))
            StoreSetting(destination, key, SettingValue(source, key));
    }
}

bool JoinPath(wchar_t* destination, size_t capacity, wchar_t const* directory, wchar_t const* fileName)
{
    if (capacity == 0)
        return false;
    destination[0] = L'\0';
    if (directory == nullptr || fileName == nullptr)
        return false;
    size_t const directoryLength = std::wcslen(directory);
    size_t const nameLength = std::wcslen(fileName);
    // Compared piecewise so that no sum can wrap around.
    if (directoryLength >= capacity || nameLength >= capacity - directoryLength ||
        capacity - directoryLength - nameLength < 2)
        return false;
    std::wmemcpy(destination, directory, directoryLength);
    destination[directoryLength] = L'\\';
    std::wmemcpy(destination + directoryLength + 1, fileName, nameLength);
    destination[directoryLength + 1 + nameLength] = L'\0';
    return true;
}

void CutAtLastBackslash(wchar_t* path)
{
    wchar_t* last = std::wcsrchr(path, L'\\');
    if (last != nullptr)
        *last = L'\0';
}
