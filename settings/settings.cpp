#include "settings/settings.h"

#include "base/system_calls.h"
#include "settings/settings_table.h"

Settings g_settings;

namespace {

bool g_settingsSaved;

bool ReadModuleDirectory(WCHAR (&directory)[MAX_PATH])
{
    SetLastError(ERROR_SUCCESS);
    DWORD const length = g_system.GetModuleFileNameW(nullptr, directory, MAX_PATH);
    // A full buffer means a cut path (older systems do not even terminate it).
    if (length == 0 || length >= MAX_PATH || GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        directory[0] = L'\0';
        return false;
    }
    directory[length] = L'\0';
    CutAtLastBackslash(directory);
    return true;
}

}  // namespace

BOOL ModuleDirectory(WCHAR* destination, size_t capacity, WCHAR const* fileName)
{
    WCHAR directory[MAX_PATH];
    if (!ReadModuleDirectory(directory)) {
        if (capacity > 0)
            destination[0] = L'\0';
        return FALSE;
    }
    return JoinPath(destination, capacity, directory, fileName) ? TRUE : FALSE;
}

void LoadSettings()
{
    WCHAR path[MAX_PATH];
    BOOL const havePath = ModuleDirectory(path, MAX_PATH, SETTINGS_FILE_NAME);
    int32_t const screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int32_t const captionHeight = GetSystemMetrics(SM_CYCAPTION);

    Settings loaded{};
    for (SettingKey const& key : SETTING_KEYS) {
        int32_t value = SettingDefault(key, screenWidth, captionHeight, loaded.barWidth);
        if (havePath && key.kind == SETTING_WORD) {
            WCHAR text[SETTING_TEXT_SIZE] = L"";
            GetPrivateProfileStringW(key.section, key.name, L"", text, SETTING_TEXT_SIZE, path);
            value = WordSettingFromText(key, text);
        } else if (havePath && key.kind == SETTING_LANGUAGE) {
            WCHAR text[SETTING_TEXT_SIZE] = L"";
            GetPrivateProfileStringW(key.section, key.name, L"", text, SETTING_TEXT_SIZE, path);
            value = SettingFromText(key.kind, text);
        } else if (havePath && key.kind == SETTING_RANGED) {
            // As text: GetPrivateProfileIntW makes 0 of a word, and 0 means something here.
            WCHAR text[32] = L"";
            GetPrivateProfileStringW(key.section, key.name, L"", text, ARRAYSIZE(text), path);
            value = RangedSettingFromText(key, text);
        } else if (havePath) {
            value = static_cast<int32_t>(GetPrivateProfileIntW(key.section, key.name, value, path));
        }
        StoreSetting(loaded, key, value);
    }
    g_settings = loaded;
    g_settingsSaved = false;
}

void SaveSettings(HWND bar)
{
    if (g_settingsSaved)
        return;
    g_settingsSaved = true;

    WCHAR path[MAX_PATH];
    if (!ModuleDirectory(path, MAX_PATH, SETTINGS_FILE_NAME))
        return;

    Settings saved = g_settings;
    RECT rect;
    if (GetWindowRect(bar, &rect)) {
        saved.positionX = rect.left;
        saved.positionY = rect.top;
    }
    for (SettingKey const& key : SETTING_KEYS) {
        WritePrivateProfileStringW(key.section, key.name, FormatSetting(key, SettingValue(saved, key)).text,
                                   path);
    }
}

void AllowSettingsSaveAgain()
{
    g_settingsSaved = false;
}
