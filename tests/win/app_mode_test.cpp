// The tray menu and the dialogs' title bars follow Windows' app mode, as on
// Windows 11 (tests/win/windows11_version.cpp), through stand-ins for the
// functions Wine lacks (tests/win/dark_mode_functions.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/dark_mode_functions.h"
#include "tests/win/fakes.h"

namespace {

using Calls = std::vector<std::string>;
using dark_fakes::g_calls;

void CALLBACK CloseAbout(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND about = FindWindowW(nullptr, L"关于"))
        PostMessageW(about, WM_COMMAND, IDOK, 0);
}

// The menus are asked to follow the mode at start and again at each change
// of it only; the About box's title bar is dark only in the dark mode, an
// unset or garbled value being the light one.
TEST(AppMode, MenusAndTitleBarsFollowIt)
{
    ResetFakes();
    ASSERT_TRUE(InitInstance(g_instance, SW_SHOWNOACTIVATE));
    EXPECT_EQ((Calls{"135(1)", "136"}), g_calls) << "AllowDark, then the menus' themes flushed";
    g_calls.clear();
    SendMessageW(g_barWindow, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
    EXPECT_TRUE(g_calls.empty());
    SendMessageW(g_barWindow, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    EXPECT_EQ((Calls{"135(1)", "136"}), g_calls);

    wchar_t const key[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
    DWORD const dark = 0, light = 1;
    struct {
        DWORD type;
        void const* value;
        DWORD size;
        char const* call;
    } const modes[] = {{REG_DWORD, &dark, 4, "dwm 20 1"}, {REG_DWORD, &light, 4, "dwm 20 0"},
                       {0, nullptr, 0, "dwm 20 0"},       {REG_SZ, L"0", 4, "dwm 20 0"}};
    for (auto const& mode : modes) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"AppsUseLightTheme");
        if (mode.value != nullptr)
            RegSetKeyValueW(HKEY_CURRENT_USER, key, L"AppsUseLightTheme", mode.type, mode.value, mode.size);
        g_calls.clear();
        UINT_PTR const timer = SetTimer(nullptr, 0, 50, CloseAbout);
        SendMessageW(g_barWindow, WM_COMMAND, IDM_ABOUT, 0);
        KillTimer(nullptr, timer);
        EXPECT_EQ(Calls{mode.call}, g_calls);
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"AppsUseLightTheme");
    DestroyBar(g_barWindow);
}

}  // namespace
