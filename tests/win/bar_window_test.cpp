// The real bar window under Wine: start-up, the refresh tick's minimal
// repaint, the caption state, hit testing, commands, timers and teardown.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bar/bar_state.h"
#include "cbt/cbt.h"
#include "cbt/shared_window_record.h"
#include "settings/settings.h"
#include "settings/settings_table.h"
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

    // The tray icon is added once, with the normal icon and the Vista-size
    // record, and asked for version 4.
    ASSERT_EQ(2u, g_shellMessages.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), g_shellMessages[0]);
    EXPECT_EQ(TRAY_RECORD_SIZE, g_shellData[0].cbSize);
    EXPECT_EQ(static_cast<DWORD>(NIM_SETVERSION), g_shellMessages[1]);
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

// The record as the hook library reads it: width, height, caption height.
std::vector<int32_t> PublishedRecord()
{
    std::vector<int32_t> values;
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, SHARED_WINDOW_RECORD_NAME);
    if (mapping == nullptr)
        return values;
    auto const* record = static_cast<SharedWindowRecord const*>(
        MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(SharedWindowRecord)));
    if (record != nullptr) {
        values = {record->barWidth, record->barHeight, record->captionHeight};
        UnmapViewOfFile(record);
    }
    CloseHandle(mapping);
    return values;
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

// What the system broadcasts while the bar runs (here from the bar's own
// process, whose cached metrics Wine updates): new caption colours, a higher
// caption. The bar repaints in the new colours, takes the new height, tells
// the library and parks again; one font lives however often it happens.
TEST_F(BarWindow, FollowsCaptionColoursAndHeightWhileRunning)
{
    Start();
    int const colourIndexes[2] = {COLOR_ACTIVECAPTION, COLOR_CAPTIONTEXT};
    COLORREF const oldColours[2] = {GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_CAPTIONTEXT)};
    COLORREF const newColours[2] = {RGB(106, 36, 10), RGB(240, 250, 250)};
    ASSERT_TRUE(SetSysColors(2, colourIndexes, newColours));
    PumpMessages();
    EXPECT_EQ(newColours[0], g_barLook.activeCaption);
    EXPECT_EQ(newColours[1], g_barLook.activeCaptionText);
    SetSysColors(2, colourIndexes, oldColours);

    NONCLIENTMETRICSW metrics;
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    int const oldCaption = metrics.iCaptionHeight;
    for (int round = 0; round < 20; ++round) {
        metrics.iCaptionHeight = oldCaption + (round % 2 == 0 ? 6 : 0);
        ASSERT_TRUE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics,
                                          SPIF_UPDATEINIFILE | SPIF_SENDCHANGE));
        int const cap = GetSystemMetrics(SM_CYCAPTION);
        PumpMessages();  // the change may come as a notification
        RECT rect;
        GetWindowRect(bar, &rect);
        EXPECT_EQ(cap, g_barLayout.captionHeight);
        EXPECT_EQ(cap - 8, rect.bottom - rect.top);
        EXPECT_EQ((std::vector<int32_t>{rect.right - rect.left, cap - 8, cap}), PublishedRecord());
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - cap - 3, rect.right) << "parked again";
        EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) - cap - 3, rect.bottom);
        EXPECT_EQ(1, g_barFontsAlive);
        if (HasFailure())
            break;
    }
    EXPECT_EQ(oldCaption + 1, g_barLayout.captionHeight);
}

// A floating bar whose monitor went away comes back to the primary's
// default place; a DPI change moves it where the system suggests.
TEST_F(BarWindow, DisplayChangesKeepAFloatingBarOnScreen)
{
    Start();
    g_settings.adhere = false;
    SetWindowPos(bar, nullptr, 5000, 5000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(bar, WM_DISPLAYCHANGE, 32, MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    PumpMessages();  // handled once the message loop is back
    RECT rect;
    GetWindowRect(bar, &rect);
    EXPECT_EQ(DefaultPositionX(GetSystemMetrics(SM_CXSCREEN), g_barLayout.captionHeight, g_settings.barWidth), rect.left);
    EXPECT_EQ(DEFAULT_POSITION_Y, rect.top);

    RECT suggested{300, 200, 300 + 75, 200 + g_barLayout.captionHeight - 8};
    SendMessageW(bar, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages();
    GetWindowRect(bar, &rect);
    ExpectRect(rect, 300, 200, 375, 200 + g_barLayout.captionHeight - 8);
    EXPECT_EQ(1, g_barFontsAlive);
    g_settings.adhere = true;  // the teardown saves the settings for the next tests
}

}  // namespace
