// A riding bar on a caption that ends just past the boundary of two monitors
// of different scales (tests/win/two_scale_monitors.cpp), told of each
// change of the monitor holding most of it by WM_DPICHANGED as Windows
// tells it: laid out for the monitor of the caption's buttons, it settles.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/monitors.h"
#include "tests/win/fakes.h"
#include "tests/win/two_scale_monitors.h"

namespace {

using namespace fakes;

// Every width the bar takes, counted where the window system tells it.
WNDPROC g_barProc;
LONG g_width;
int g_widthChanges;

LRESULT CALLBACK CountingWidths(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WINDOWPOSCHANGED) {
        WINDOWPOS const* pos = reinterpret_cast<WINDOWPOS const*>(lParam);
        if ((pos->flags & SWP_NOSIZE) == 0 && pos->cx != g_width) {
            g_width = pos->cx;
            ++g_widthChanges;
        }
    }
    return CallWindowProcW(g_barProc, window, message, wParam, lParam);
}

void Pump()
{
    MSG message;
    for (int i = 0; i < 3; ++i) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        Sleep(5);
    }
}

TEST(TwoScales, ARidingBarAcrossTheBoundarySettlesOnItsButtonsMonitor)
{
    ResetFakes();
    ASSERT_TRUE(InitInstance(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE));
    HWND const bar = g_barWindow;
    g_canAdhereAnswer = TRUE;  // the caption carries it where it is
    // Wherever the settings file left it, it starts on the left monitor.
    SetWindowPos(bar, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    ASSERT_EQ(TWO_SCALE_LEFT_DPI, g_barLayout.dpi);
    // The carrier's caption ends 45 pixels past the boundary: the bar, 2
    // pixels left of its buttons, ends 43 past it.
    int const anchor = TWO_SCALE_SPLIT + 43;
    RECT r;
    GetWindowRect(bar, &r);
    g_width = r.right - r.left;
    g_barProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingWidths)));
    SetWindowPos(bar, nullptr, anchor - (r.right - r.left), 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UINT told = TWO_SCALE_LEFT_DPI;
    for (int round = 0; round < 6; ++round) {
        UINT const dpi = DpiOfWindow(bar);
        if (dpi != told) {
            told = dpi;
            GetWindowRect(bar, &r);
            RECT suggested{r.left, r.top, r.left + MulDiv(r.right - r.left, static_cast<int>(dpi), 96),
                           r.top + MulDiv(r.bottom - r.top, static_cast<int>(dpi), 96)};
            SendMessageW(bar, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        }
        Pump();
        GetWindowRect(bar, &r);
        EXPECT_EQ(anchor, r.right) << "round " << round << ": the bar left its caption's buttons";
    }
    EXPECT_EQ(1, g_widthChanges) << "laid out back and forth";
    EXPECT_EQ(TWO_SCALE_RIGHT_DPI, g_barLayout.dpi);
    DestroyBar(bar);
}

}  // namespace
