// The tray menu and the dialogs' title bars follow Windows' app mode, as on
// Windows 11 (tests/win/windows11_version.cpp), through stand-ins for the
// functions Wine lacks (tests/win/dark_mode_functions.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/app_mode.h"
#include "tests/win/dark_mode_functions.h"
#include "tests/win/fakes.h"

namespace {

using dark_fakes::g_calls;
using Calls = std::vector<std::string>;

wchar_t const PERSONALIZE[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

void SetAppMode(DWORD type, void const* value, DWORD size)
{
    RegDeleteKeyValueW(HKEY_CURRENT_USER, PERSONALIZE, L"AppsUseLightTheme");
    if (value != nullptr) {
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, PERSONALIZE, L"AppsUseLightTheme", type, value, size));
    }
}

void CALLBACK CloseAbout(HWND, UINT, UINT_PTR, DWORD)
{
    HWND const about = FindWindowW(nullptr, L"关于");
    if (about != nullptr)
        PostMessageW(about, WM_COMMAND, IDOK, 0);
}

class AppMode : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakes();
        g_calls.clear();
    }
    void TearDown() override
    {
        DestroyBar(bar);
        RegDeleteKeyValueW(HKEY_CURRENT_USER, PERSONALIZE, L"AppsUseLightTheme");
    }
    HWND bar = nullptr;
};

// Looked up once at start-up, asked for again at each change of the mode
// only: the menus then take the new one at their next opening.
TEST_F(AppMode, MenusFollowFromStartAndAgainOnEachChange)
{
    ASSERT_TRUE(InitInstance(g_instance, SW_SHOWNOACTIVATE));
    bar = g_barWindow;
    EXPECT_EQ((Calls{"135(1)", "136"}), g_calls) << "AllowDark, then the menus' themes flushed";

    g_calls.clear();
    SendMessageW(bar, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    EXPECT_EQ((Calls{"135(1)", "136"}), g_calls);

    g_calls.clear();
    SendMessageW(bar, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
    SendMessageW(bar, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_TRUE(g_calls.empty());
}

// The About box's title bar dark only in the dark mode; an unset or garbled
// value is the light one.
TEST_F(AppMode, DialogTitleBarFollowsTheMode)
{
    std::string const attribute = "dwm 20 ";  // DWMWA_USE_IMMERSIVE_DARK_MODE from build 18985
    DWORD const dark = 0, light = 1;
    struct Case {
        char const* what;
        DWORD type;
        void const* value;
        DWORD size;
        bool dark;
    } const cases[] = {
        {"dark", REG_DWORD, &dark, sizeof dark, true},
        {"light", REG_DWORD, &light, sizeof light, false},
        {"unset", REG_DWORD, nullptr, 0, false},
        {"text", REG_SZ, L"0", 4, false},
        {"short", REG_BINARY, &dark, 1, false},
    };
    ASSERT_TRUE(InitInstance(g_instance, SW_SHOWNOACTIVATE));
    bar = g_barWindow;
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        SetAppMode(c.type, c.value, c.size);
        EXPECT_EQ(c.dark, AppsUseDarkMode());
        g_calls.clear();
        UINT_PTR const timer = SetTimer(nullptr, 0, 50, CloseAbout);
        SendMessageW(bar, WM_COMMAND, IDM_ABOUT, 0);
        KillTimer(nullptr, timer);
        EXPECT_EQ((Calls{attribute + (c.dark ? "1" : "0")}), g_calls);
    }
}

}  // namespace
