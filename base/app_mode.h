// Windows' app mode, dark or light (Settings > Personalization > Colors),
// and what of the program follows it: the popup menus and dialogs' title bars.
#pragma once

#include <windows.h>

// True when the user chose the dark app mode (AppsUseLightTheme 0 under the
// user's Personalize key); false where it is unset or unreadable.
bool AppsUseDarkMode();

// Lets the process's popup menus follow the app mode, through uxtheme's
// unnamed functions: ordinal 135 (SetPreferredAppMode(AllowDark) from build
// 18362, AllowDarkModeForApp(TRUE) on 17763) and 136 (FlushMenuThemes),
// looked up once. Called again after each change of the mode. False, and
// the menus stay light, where the build is older or the ordinals missing.
bool LetMenusFollowAppMode();

// The window's title bar dark or light as the app mode is now
// (DWMWA_USE_IMMERSIVE_DARK_MODE: 20, or 19 before build 18985); nothing
// before build 17763 or without a DWM.
void TitleBarFollowsAppMode(HWND window);

// WM_SETTINGCHANGE of the app mode (lParam "ImmersiveColorSet").
bool IsAppModeChange(LPARAM lParam);
