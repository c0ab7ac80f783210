// Where the real bar's colours come from under Wine: the system's caption
// colours on Wine's own Windows 7, and, with the facts a Windows 10 desktop
// reports, the caption beside a riding bar read from the screen, the theme's
// for a floating one, and new colours when the theme changes.
#include <windows.h>

#include <gtest/gtest.h>

#include "bar/bar_colours.h"
#include "cbt/cbt.h"
#include "tests/win/fakes.h"

namespace {

using namespace fakes;

COLORREF const DARK = RGB(32, 32, 32), LIGHT = RGB(243, 243, 243), WHITE = RGB(255, 255, 255), BLACK = 0;

class BarColours : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakes();
        ASSERT_TRUE(InitInstance(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE));
        bar = g_barWindow;
        // A caption of its own colour under the bar, which stays on top.
        caption = TestWindow(L"Backdrop", WS_POPUP, 100, 100, 500, 25, DefWindowProcW);
        SetWindowPos(bar, HWND_TOPMOST, 300, 104, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    }
    void TearDown() override
    {
        // The settings file beside the tests is shared: leave it riding, as found.
        g_settings.adhere = true;
        DestroyWindow(caption);
        DestroyBar(bar);
    }
    void Paint(COLORREF colour)
    {
        auto const brush = reinterpret_cast<LONG_PTR>(CreateSolidBrush(colour));
        DeleteObject(reinterpret_cast<HGDIOBJ>(SetClassLongPtrW(caption, GCLP_HBRBACKGROUND, brush)));
        RedrawWindow(caption, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    }
    void MoveBar(int x, int y) { SetWindowPos(bar, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE); }
    void Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { SendMessageW(bar, message, wParam, lParam); }
    void SettingChange(wchar_t const* area) { Send(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(area)); }
    // Messages but paints run until the settling time is past; true when
    // the bar is to be repainted in new colours.
    bool Settle()
    {
        ValidateRect(bar, nullptr);
        for (DWORD start = GetTickCount(); GetTickCount() - start < 600;) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, WM_PAINT - 1, PM_REMOVE) ||
                   PeekMessageW(&message, nullptr, WM_PAINT + 1, 0xFFFF, PM_REMOVE))
                DispatchMessageW(&message);
            Sleep(10);
        }
        return GetUpdateRect(bar, nullptr, FALSE) != FALSE;
    }
    // Once settled, the bar is to be repainted (or not), in these colours.
    void ExpectSettledIn(bool repaint, COLORREF caption, COLORREF text, COLORREF inactive, COLORREF inactiveText)
    {
        EXPECT_EQ(repaint, Settle());
        EXPECT_EQ(caption, g_barLook.activeCaption);
        EXPECT_EQ(text, g_barLook.activeCaptionText);
        EXPECT_EQ(inactive, g_barLook.inactiveCaption);
        EXPECT_EQ(inactiveText, g_barLook.inactiveCaptionText);
    }
    static void Accent(COLORREF accent)
    {
        g_colourFacts.colourPrevalence = true;
        g_colourFacts.accent = accent;
    }
    HWND bar = nullptr, caption = nullptr;
};

TEST_F(BarColours, WineDefaultPaintsTheSystemsColoursWhereverItRides)
{
    g_settings.adhere = true;
    Paint(DARK);
    MoveBar(310, 104);
    ExpectSettledIn(false, GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_CAPTIONTEXT),
                    GetSysColor(COLOR_INACTIVECAPTION), GetSysColor(COLOR_INACTIVECAPTIONTEXT));
}

TEST_F(BarColours, Windows10RidingBarTakesTheCaptionBesideItInTheStateItIsIn)
{
    UseColourFacts();
    g_settings.adhere = true;
    Paint(DARK);
    MoveBar(310, 104);  // onto a dark caption
    ExpectSettledIn(true, DARK, WHITE, WHITE, BLACK);
    Paint(LIGHT);
    Send(WM_CAPTIONSTATE, 0);
    ExpectSettledIn(true, WHITE, BLACK, LIGHT, BLACK);

    // Parked on the desktop: no caption to read, so DWM's for a light window.
    Accent(RGB(0, 0, 128));
    Send(WM_CAPTIONSTATE, 1);
    MoveBar(800, 600);
    ExpectSettledIn(true, RGB(0, 0, 128), WHITE, WHITE, BLACK);
}

TEST_F(BarColours, Windows10FloatingBarTakesTheThemesActiveCaption)
{
    UseColourFacts();
    Paint(LIGHT);
    g_settings.adhere = false;
    struct Case {
        bool dark, prevalence, highContrast;
        COLORREF caption, text;
    } const cases[] = {
        {false, false, false, WHITE, BLACK},
        {true, false, false, DARK, WHITE},
        {true, true, false, RGB(0, 120, 215), BLACK},
        {true, true, true, GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_CAPTIONTEXT)},
    };
    g_colourFacts.accent = RGB(0, 120, 215);
    for (Case const& c : cases) {
        g_colourFacts.darkMode = c.dark;
        g_colourFacts.colourPrevalence = c.prevalence;
        g_colourFacts.highContrast = c.highContrast;
        Send(WM_TIMER, IDT_CAPTION_COLOURS);
        EXPECT_EQ(c.caption, g_barLook.activeCaption);
        EXPECT_EQ(c.text, g_barLook.activeCaptionText);
    }
}

TEST_F(BarColours, ThemeAccentAndDarkModeChangesRepaintInTheNewColours)
{
    UseColourFacts();
    g_settings.adhere = false;
    SettingChange(L"ImmersiveColorSet");
    ExpectSettledIn(true, WHITE, BLACK, WHITE, BLACK);

    g_colourFacts.darkMode = true;
    SettingChange(L"Environment");
    EXPECT_FALSE(Settle()) << "not a change of colours";
    SettingChange(L"ImmersiveColorSet");
    ExpectSettledIn(true, DARK, WHITE, DARK_INACTIVE_CAPTION, WHITE);

    Accent(RGB(255, 200, 0));
    Send(WM_DWMCOLORIZATIONCOLORCHANGED);
    ExpectSettledIn(true, RGB(255, 200, 0), BLACK, DARK_INACTIVE_CAPTION, WHITE);
}

}  // namespace
