#include "base/app_mode.h"

#include "base/dwm_attribute.h"
#include "base/system_calls.h"
#include "base/system_library.h"
#include "base/windows_version.h"

namespace {

DWORD const FIRST_DARK_BUILD = 17763;       // AllowDarkModeForApp
DWORD const PREFERRED_MODE_BUILD = 18362;   // SetPreferredAppMode
DWORD const DOCUMENTED_DARK_BUILD = 18985;  // DWMWA_USE_IMMERSIVE_DARK_MODE = 20
int const ALLOW_DARK = 1;                   // PreferredAppMode::AllowDark, or TRUE

// Ordinal 135 takes an int on either build: a mode, or a BOOL.
typedef int(WINAPI* AppModeFunction)(int);
typedef void(WINAPI* FlushMenuThemesFunction)();

struct MenuThemeFunctions {
    AppModeFunction appMode;
    FlushMenuThemesFunction flush;
};

MenuThemeFunctions const& MenuThemeFunctionsOnce()
{
    static MenuThemeFunctions functions;
    static bool tried;
    if (!tried) {
        tried = true;
        // Before 17763 these ordinals are other functions, or none.
        if (WindowsBuildNumber() >= FIRST_DARK_BUILD) {
            functions.appMode = reinterpret_cast<AppModeFunction>(
                reinterpret_cast<void*>(SystemLibraryFunction(L"uxtheme.dll", MAKEINTRESOURCEA(135))));
            functions.flush = reinterpret_cast<FlushMenuThemesFunction>(
                reinterpret_cast<void*>(SystemLibraryFunction(L"uxtheme.dll", MAKEINTRESOURCEA(136))));
        }
    }
    return functions;
}

}  // namespace

bool AppsUseDarkMode()
{
    HKEY key;
    if (g_system.RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                               0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD value = 1, type = 0, size = sizeof value;
    LSTATUS const status =
        RegQueryValueExW(key, L"AppsUseLightTheme", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value && value == 0;
}

bool LetMenusFollowAppMode()
{
    MenuThemeFunctions const& functions = MenuThemeFunctionsOnce();
    if (functions.appMode == nullptr || functions.flush == nullptr)
        return false;
    functions.appMode(ALLOW_DARK);
    functions.flush();
    return true;
}

void TitleBarFollowsAppMode(HWND window)
{
    DWORD const build = WindowsBuildNumber();
    if (build < FIRST_DARK_BUILD)
        return;
    BOOL dark = AppsUseDarkMode() ? TRUE : FALSE;
    SetDwmWindowAttribute(window, build >= DOCUMENTED_DARK_BUILD ? 20 : 19, &dark, sizeof dark);
}

bool IsAppModeChange(LPARAM lParam)
{
    WCHAR const* setting = reinterpret_cast<WCHAR const*>(lParam);
    return setting != nullptr && lstrcmpW(setting, L"ImmersiveColorSet") == 0;
}
