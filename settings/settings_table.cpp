#include "settings/settings_table.h"

#include "base/decimal_text.h"
#include "base/rect.h"

#include <cwchar>

SettingKey const SETTING_KEYS[SETTING_COUNT] = {
    {L"Brisvane", L"AutoRun", SETTING_FLAG},
    {L"Brisvane", L"Adhere", SETTING_FLAG},
    {L"Brisvane", L"IgnoreDUI", SETTING_FLAG},
    {L"Brisvane", L"BarWidth", SETTING_NUMBER},
    {L"Brisvane", L"Interval", SETTING_NUMBER},
    {L"Brisvane", L"Alpha", SETTING_BYTE},
    {L"Position", L"X", SETTING_NUMBER},
    {L"Position", L"Y", SETTING_NUMBER},
};

int32_t DefaultPositionX(int32_t screenWidth, int32_t captionHeight, int32_t barWidth)
{
    return Saturate(static_cast<int64_t>(screenWidth) - (4 * static_cast<int64_t>(captionHeight) + 24) -
                    barWidth);
}

int32_t SettingDefault(SettingIndex index, int32_t screenWidth, int32_t captionHeight, int32_t barWidth)
{
    switch (index) {
    case SETTING_AUTORUN:
        return DEFAULT_AUTORUN;
    case SETTING_ADHERE:
        return DEFAULT_ADHERE;
    case SETTING_IGNOREDUI:
        return DEFAULT_IGNOREDUI;
    case SETTING_BARWIDTH:
        return DEFAULT_BARWIDTH;
    case SETTING_INTERVAL:
        return DEFAULT_INTERVAL;
    case SETTING_ALPHA:
        return DEFAULT_ALPHA;
    case SETTING_POSITION_X:
        return DefaultPositionX(screenWidth, captionHeight, barWidth);
    case SETTING_POSITION_Y:
        return DEFAULT_POSITION_Y;
    case SETTING_COUNT:
        break;
    }
    return 0;
}

int32_t KeptSettingValue(SettingKind kind, int32_t read)
{
    switch (kind) {
    case SETTING_FLAG:
        return read != 0 ? 1 : 0;
    case SETTING_BYTE:
        return static_cast<int32_t>(static_cast<uint32_t>(read) & 0xFFu);
    case SETTING_NUMBER:
        break;
    }
    return read;
}

SettingText FormatSettingValue(SettingKind kind, int32_t value)
{
    SettingText result;
    FormatDecimal(result.text, SETTING_TEXT_SIZE, KeptSettingValue(kind, value));
    return result;
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
