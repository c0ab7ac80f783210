#include "settings/settings.h"

#include "settings/settings_table.h"

Settings g_settings;

DWORD(WINAPI* g_getModuleFileName)(HMODULE, LPWSTR, DWORD) = GetModuleFileNameW;

namespace {

WCHAR g_moduleDirectory[MAX_PATH];
bool g_moduleDirectoryRead;
bool g_moduleDirectoryUsable;
bool g_settingsSaved;

bool ReadModuleDirectory()
{
    SetLastError(ERROR_SUCCESS);
    DWORD const length = g_getModuleFileName(nullptr, g_moduleDirectory, MAX_PATH);
    // A full buffer means a cut path (older systems do not even terminate it).
    if (length == 0 || length >= MAX_PATH || GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        g_moduleDirectory[0] = L'\0';
        return false;
    }
    g_moduleDirectory[length] = L'\0';
    CutAtLastBackslash(g_moduleDirectory);
    return true;
}

void StoreSetting(SettingIndex index, int32_t value)
{
    switch (index) {
    case SETTING_AUTORUN:
        g_settings.autoRun = value != 0;
        break;
    case SETTING_ADHERE:
        g_settings.adhere = value != 0;
        break;
    case SETTING_IGNOREDUI:
        g_settings.ignoreDUI = value != 0;
        break;
    case SETTING_BARWIDTH:
        g_settings.barWidth = value;
        break;
    case SETTING_INTERVAL:
        g_settings.interval = value;
        break;
    case SETTING_ALPHA:
        g_settings.alpha = static_cast<BYTE>(value);
        break;
    case SETTING_POSITION_X:
        g_settings.positionX = value;
        break;
    case SETTING_POSITION_Y:
        g_settings.positionY = value;
        break;
    case SETTING_COUNT:
        break;
    }
}

// The value written for a key; the position is where the bar is now.
int32_t SavedSetting(SettingIndex index, RECT const& bar)
{
    switch (index) {
    case SETTING_AUTORUN:
        return g_settings.autoRun;
    case SETTING_ADHERE:
        return g_settings.adhere;
    case SETTING_IGNOREDUI:
        return g_settings.ignoreDUI;
    case SETTING_BARWIDTH:
        return g_settings.barWidth;
    case SETTING_INTERVAL:
        return g_settings.interval;
    case SETTING_ALPHA:
        return g_settings.alpha;
    case SETTING_POSITION_X:
        return bar.left;
    case SETTING_POSITION_Y:
        return bar.top;
    case SETTING_COUNT:
        break;
    }
    return 0;
}

}  // namespace

BOOL ModuleDirectory(WCHAR* destination, size_t capacity, WCHAR const* fileName)
{
    if (!g_moduleDirectoryRead) {
        g_moduleDirectoryUsable = ReadModuleDirectory();
        g_moduleDirectoryRead = true;
    }
    if (!g_moduleDirectoryUsable) {
        if (capacity > 0)
            destination[0] = L'\0';
        return FALSE;
    }
    return JoinPath(destination, capacity, g_moduleDirectory, fileName) ? TRUE : FALSE;
}

void ForgetModuleDirectory()
{
    g_moduleDirectoryRead = false;
    g_moduleDirectoryUsable = false;
    g_moduleDirectory[0] = L'\0';
}

void LoadSettings()
{
    WCHAR path[MAX_PATH];
    BOOL const havePath = ModuleDirectory(path, MAX_PATH, SETTINGS_FILE_NAME);
    int32_t const screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int32_t const captionHeight = GetSystemMetrics(SM_CYCAPTION);

    int32_t barWidth = DEFAULT_BARWIDTH;
    for (int i = 0; i < SETTING_COUNT; ++i) {
        SettingIndex const index = static_cast<SettingIndex>(i);
        SettingKey const& key = SETTING_KEYS[i];
        int32_t value = SettingDefault(index, screenWidth, captionHeight, barWidth);
        if (havePath)
            value = static_cast<int32_t>(GetPrivateProfileIntW(key.section, key.name, value, path));
        value = KeptSettingValue(key.kind, value);
        StoreSetting(index, value);
        if (index == SETTING_BARWIDTH)
            barWidth = value;
    }
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

    RECT rect;
    if (!GetWindowRect(bar, &rect))
        SetRect(&rect, g_settings.positionX, g_settings.positionY, 0, 0);

    for (int i = 0; i < SETTING_COUNT; ++i) {
        int32_t const value = SavedSetting(static_cast<SettingIndex>(i), rect);
        SettingKey const& key = SETTING_KEYS[i];
        WritePrivateProfileStringW(key.section, key.name, FormatSettingValue(key.kind, value).text, path);
    }
}

void AllowSettingsSaveAgain()
{
    g_settingsSaved = false;
}
