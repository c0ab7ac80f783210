// The real bar window under Wine: start-up, the refresh tick's minimal
// repaint, the caption state, hit testing, commands, timers and teardown.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cbt/cbt.h"
#include "tests/win/fakes.h"

namespace {

using namespace fakes;

class BarWindow : public ::testing::Test {
protected:
    void SetUp() override { ResetFakes(); }

    void TearDown() override
    {
        DestroyBar(bar);
    }

    void Start()
    {
        ASSERT_TRUE(InitInstance(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE));
        bar = g_barWindow;
        ValidateRect(bar, nullptr);
    }

    RECT Tick(UINT_PTR timer = IDT_REFRESH)
    {
        ValidateRect(bar, nullptr);
        EXPECT_EQ(1, SendMessageW(bar, WM_TIMER, timer, 0));
        RECT dirty;
        GetUpdateRect(bar, &dirty, FALSE);
        return dirty;
    }

    HWND bar = nullptr;
};

void ExpectRect(RECT const& r, LONG left, LONG top, LONG right, LONG bottom)
{
    EXPECT_EQ(left, r.left);
    EXPECT_EQ(top, r.top);
    EXPECT_EQ(right, r.right);
    EXPECT_EQ(bottom, r.bottom);
}

TEST_F(BarWindow, StartsWithClassStyleSizeAndFirstReading)
{
    Start();
    wchar_t name[64];
    GetClassNameW(bar, name, 64);
    EXPECT_EQ(std::wstring(L"BRISVANE"), name);
    GetWindowTextW(bar, name, 64);
    EXPECT_EQ(std::wstring(L"Brisvane"), name);
    EXPECT_EQ(static_cast<LONG>(BAR_EXSTYLE_ADHERING), GetWindowLongW(bar, GWL_EXSTYLE));
    RECT rect;
    GetWindowRect(bar, &rect);
    int const cap = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(75, rect.right - rect.left);
    EXPECT_EQ(cap - 8, rect.bottom - rect.top);
    EXPECT_EQ(std::wstring(L"57%"), g_barView.text);
    EXPECT_EQ(1, g_barView.captionActive);

    // The tray icon is added once, with the normal icon and the XP-size record.
    ASSERT_EQ(1u, g_shellMessages.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), g_shellMessages[0]);
    EXPECT_EQ(XP_TRAY_RECORD_SIZE, g_shellData[0].cbSize);
    EXPECT_EQ(BatteryTrayIcon(), g_shellData[0].hIcon);

    // Nothing can carry it: parked bottom-right, and the hook installed anyway.
    EXPECT_EQ(1, g_canAdhereCalls);
    EXPECT_EQ(0, g_moves);
    EXPECT_EQ(1, g_installs);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - cap - 3, rect.right);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) - cap - 3, rect.bottom);
}

TEST_F(BarWindow, AdheresWhenTheLibraryAccepts)
{
    HWND carrier = CreateWindowExW(0, L"STATIC", L"carrier", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300,
                                   nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(carrier);
    g_canAdhereAnswer = TRUE;
    Start();
    if (GetForegroundWindow() == nullptr)
        GTEST_SKIP() << "no foreground window under this display";
    EXPECT_EQ(1, g_moves);
    RECT expected;
    GetWindowRect(GetForegroundWindow(), &expected);
    OffsetRect(&expected, 5, 7);
    EXPECT_TRUE(EqualRect(&expected, &g_movedTo));
    EXPECT_EQ(1, g_installs);
    DestroyWindow(carrier);
}

TEST_F(BarWindow, UnchangedTickRepaintsNothing)
{
    Start();
    RECT const dirty = Tick();
    EXPECT_TRUE(IsRectEmpty(&dirty));
}

TEST_F(BarWindow, TickRepaintsOnlyWhatChanged)
{
    Start();
    SetReading(0, 1, 58);  // percent only: the fill grown by one right and down
    RECT dirty = Tick();
    ExpectRect(dirty, g_barLayout.geometry.fill.left, g_barLayout.geometry.fill.top, g_barLayout.geometry.fill.right + 1,
               g_barLayout.geometry.fill.bottom + 1);

    SetReading(1, 1, 58);  // charger plugged in: the icon only
    dirty = Tick();
    ExpectRect(dirty, g_barLayout.geometry.icon.left, g_barLayout.geometry.icon.top, g_barLayout.geometry.icon.right + 1,
               g_barLayout.geometry.icon.bottom + 1);
    EXPECT_EQ(0, g_barView.powerState);

    SetReading(0, 6, 3);  // both: their union
    dirty = Tick();
    ExpectRect(dirty, 0, g_barLayout.geometry.icon.top, g_barLayout.geometry.fill.right + 1, g_barLayout.geometry.icon.bottom + 1);
    EXPECT_EQ(2, g_barView.powerState);
    EXPECT_EQ(std::wstring(L"3%"), g_barView.text);
}

TEST_F(BarWindow, TickWithoutPercentageStopsTheRefresh)
{
    Start();
    SetReading(1, 128, 255);
    Tick();
    EXPECT_EQ(std::wstring(L"NA"), g_barView.text);
    EXPECT_EQ(100, g_barView.percent);
    EXPECT_FALSE(KillTimer(bar, IDT_REFRESH)) << "the refresh timer should be gone";
}

TEST_F(BarWindow, FailedPowerReadShowsNA)
{
    Start();
    SetReading(0, 0, 0, FALSE);
    Tick();
    EXPECT_EQ(std::wstring(L"NA"), g_barView.text);
    EXPECT_EQ(-1, g_barView.powerState);
    EXPECT_FALSE(KillTimer(bar, IDT_REFRESH));
}

TEST_F(BarWindow, ForeignTimerChangesNothing)
{
    Start();
    SetReading(1, 1, 99);
    RECT const dirty = Tick(77);
    EXPECT_TRUE(IsRectEmpty(&dirty));
    EXPECT_EQ(std::wstring(L"57%"), g_barView.text);
    EXPECT_TRUE(KillTimer(bar, IDT_REFRESH)) << "the refresh timer still runs";
}

TEST_F(BarWindow, CaptionStateRepaintsTheFrameOnChangeOnly)
{
    Start();
    EXPECT_EQ(0, SendMessageW(bar, WM_CAPTIONSTATE, 1, 0));
    RECT dirty;
    GetUpdateRect(bar, &dirty, FALSE);
    EXPECT_TRUE(IsRectEmpty(&dirty));

    EXPECT_EQ(0, SendMessageW(bar, WM_CAPTIONSTATE, 0, 0));
    EXPECT_EQ(0, g_barView.captionActive);
    GetUpdateRect(bar, &dirty, FALSE);
    ExpectRect(dirty, g_barLayout.geometry.frame.left, g_barLayout.geometry.frame.top, g_barLayout.geometry.frame.right,
               g_barLayout.geometry.frame.bottom);

    ValidateRect(bar, nullptr);
    SendMessageW(bar, WM_CAPTIONSTATE, 1, 0);
    EXPECT_EQ(1, g_barView.captionActive);
}

TEST_F(BarWindow, HitTestEraseAndUnknownCommands)
{
    Start();
    EXPECT_EQ(HTCAPTION, SendMessageW(bar, WM_NCHITTEST, 0, MAKELPARAM(30, 10)));
    EXPECT_EQ(1, SendMessageW(bar, WM_ERASEBKGND, 0, 0));
    LRESULT const expected = DefWindowProcW(bar, WM_COMMAND, MAKEWPARAM(4242, 0), 0);
    EXPECT_EQ(expected, SendMessageW(bar, WM_COMMAND, MAKEWPARAM(4242, 0), 0));
    EXPECT_TRUE(IsWindow(bar));
}

TEST_F(BarWindow, CloseAndExitTearDown)
{
    for (UINT how : {static_cast<UINT>(WM_CLOSE), static_cast<UINT>(WM_COMMAND)}) {
        g_shellMessages.clear();
        Start();
        if (how == WM_CLOSE)
            SendMessageW(bar, WM_CLOSE, 0, 0);
        else
            SendMessageW(bar, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
        EXPECT_FALSE(IsWindow(bar));
        ASSERT_FALSE(g_shellMessages.empty());
        EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), g_shellMessages.back());
        EXPECT_EQ(nullptr, g_barLook.font);
        EXPECT_EQ(nullptr, g_barLook.stateBitmap);
        MSG msg;
        ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(0u, msg.wParam);
    }
}

}  // namespace
