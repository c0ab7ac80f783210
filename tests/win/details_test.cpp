// The Battery details window and the history behind it, under Wine: the
// batteries read through the device interface (a stand-in for the battery
// class driver: tests/win/stubs/battery_devices.cpp), the window opened one
// at a time near the tray at its DPI, and the lines the real bar writes for
// a start, a sleep and an exit.
#include <windows.h>
#include <setupapi.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/monitors.h"
#include "details/battery_devices.h"
#include "details/details_paint.h"
#include "details/details_window.h"
#include "tests/win/fakes.h"

namespace {

using namespace fakes;

DWORD const SYSTEM_BATTERY = 0x80000000;  // BATTERY_SYSTEM_BATTERY

std::wstring g_folder;

DWORD WINAPI ModuleInFolder(HMODULE, LPWSTR path, DWORD size)
{
    std::wstring const module = g_folder + L"\\Brisvane.exe";
    lstrcpynW(path, module.c_str(), static_cast<int>(size));
    return static_cast<DWORD>(module.size());
}

HWND FindDetails()
{
    return FindWindowW(DETAILS_WINDOW_CLASS, nullptr);
}

int CountDetails()
{
    int count = 0;
    for (HWND w = FindDetails(); w != nullptr; w = FindWindowExW(nullptr, w, DETAILS_WINDOW_CLASS, nullptr))
        ++count;
    return count;
}

SIZE SizeOf(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

class Details : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakes();
        SetUiLanguage(LanguageChoice::Chinese);
        anchor = TestWindow(L"carrier", WS_POPUP | WS_VISIBLE, 100, 100, 200, 30);
    }
    void TearDown() override
    {
        if (FindDetails() != nullptr)
            DestroyWindow(FindDetails());
        DestroyWindow(anchor);
        DestroyBar(nullptr);
    }
    HWND anchor = nullptr;
};

TEST_F(Details, TwoBatteriesOneWithoutACycleCount)
{
    g_batteries = {{L"DELL 7FHHV62", L"SMP", SYSTEM_BATTERY, 62000, 55800, 123},
                   {L"Second", L"LGC", SYSTEM_BATTERY, 40000, 30000, 0}};
    BatteryFacts facts[MAX_BATTERIES];
    ASSERT_EQ(2, ReadBatteryDevices(facts, MAX_BATTERIES));
    EXPECT_EQ(std::wstring(L"DELL 7FHHV62"), facts[0].name);
    EXPECT_EQ(std::wstring(L"SMP"), facts[0].maker);
    EXPECT_EQ(62000u, facts[0].designed);
    EXPECT_EQ(55800u, facts[0].fullCharged);
    EXPECT_EQ(123u, facts[0].cycles);
    EXPECT_EQ(std::wstring(L"LGC"), facts[1].maker);
    EXPECT_EQ(0u, facts[1].cycles) << "not counted: reads 未知";
    EXPECT_TRUE(facts[1].haveInformation);

    // Listed present devices by interface, opened for reading only, each
    // asked its three facts, and the list given back.
    ASSERT_EQ(1u, g_batteryClassFlags.size());
    EXPECT_EQ(static_cast<DWORD>(DIGCF_PRESENT | DIGCF_DEVICEINTERFACE), g_batteryClassFlags[0]);
    EXPECT_EQ((std::vector<DWORD>{GENERIC_READ, GENERIC_READ}), g_batteryOpenAccess);
    EXPECT_EQ(6u, g_batteryLevels.size());
    EXPECT_EQ(0, g_batteryListsOpen);

    // Only as many as asked for.
    EXPECT_EQ(1, ReadBatteryDevices(facts, 1));
}

// No battery device: the window opens all the same, once, near the tray
// at its DPI; a new language retitles it; Esc closes it; it opens again at
// the size it was given, not where it was moved.
TEST_F(Details, OneWindowNearTheTrayAtItsDpiWithoutABattery)
{
    BatteryFacts facts[MAX_BATTERIES];
    EXPECT_EQ(0, ReadBatteryDevices(facts, MAX_BATTERIES));
    ShowDetailsWindow(anchor);
    HWND window = FindDetails();
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(IsWindowVisible(window));
    ShowDetailsWindow(anchor);
    EXPECT_EQ(1, CountDetails()) << "the open one comes to the front instead";
    WCHAR title[32] = L"";
    GetWindowTextW(window, title, 32);
    EXPECT_EQ(std::wstring(L"电池信息"), title);
    SetUiLanguage(LanguageChoice::English);
    ShowDetailsTextsAgain();
    UpdateWindow(window);
    GetWindowTextW(window, title, 32);
    EXPECT_EQ(std::wstring(L"Battery details"), title);

    UINT const dpi = DpiOfWindow(window);
    SIZE const size = SizeOf(window);
    EXPECT_EQ(MulDiv(520, dpi, 96), size.cx);
    EXPECT_EQ(MulDiv(560, dpi, 96), size.cy);
    RECT rect, area = WorkAreaNear(anchor);
    GetWindowRect(window, &rect);
    int const inset = SystemMetricAtDpi(SM_CYCAPTION, dpi) + 3;
    EXPECT_EQ(area.right - inset, rect.right);
    EXPECT_EQ(area.bottom - inset, rect.bottom);
    EXPECT_EQ(0, GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // A move to a monitor of twice the DPI takes the system's rectangle.
    RECT const suggested{40, 50, 40 + 2 * size.cx, 50 + 2 * size.cy};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(window, &rect);
    EXPECT_EQ(40, rect.left);
    EXPECT_EQ(2 * size.cx, rect.right - rect.left);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&rect));

    SetWindowPos(window, nullptr, 10, 10, MulDiv(700, dpi, 96), MulDiv(640, dpi, 96), SWP_NOZORDER);
    SendMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(nullptr, FindDetails());
    ShowDetailsWindow(anchor);
    window = FindDetails();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(MulDiv(700, dpi, 96), SizeOf(window).cx);
    EXPECT_EQ(MulDiv(640, dpi, 96), SizeOf(window).cy);
    GetWindowRect(window, &rect);
    EXPECT_EQ(area.right - inset, rect.right) << "near the tray again, not where it was";
}

// The graph drawn into a bitmap: the line in the battery colour, the
// charging part in the other; with the history off, neither.
TEST_F(Details, GraphDrawsEachStateInItsColour)
{
    int const width = 520, height = 560;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ const old = SelectObject(dc, bitmap);
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    int64_t const now = 1796738400;  // 2026-12-08T14:00:00Z
    std::vector<HistoryRecord> records = {
        {now - 20 * 3600, 90, false, false, -9000, HistoryEvent::Start},
        {now - 12 * 3600, 40, false, false, -9000, HistoryEvent::Sample},
        {now - 11 * 3600, 41, true, true, 30000, HistoryEvent::Sample},
        {now - 6 * 3600, 95, true, true, 30000, HistoryEvent::Sample},
    };
    auto count = [&](COLORREF colour) {
        int found = 0;
        auto const* pixel = static_cast<DWORD const*>(bits);
        DWORD const want = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        for (int i = 0; i < width * height; ++i)
            found += (pixel[i] & 0xFFFFFF) == want ? 1 : 0;
        return found;
    };
    COLORREF const charging = RGB(16, 150, 72);
    for (HistoryState state : {HistoryState::On, HistoryState::Off}) {
        DetailsView const view{GraphRange::Day, &records, nullptr, 0, state, now, 0, 96, font, font};
        DetailsHits hits{};
        PaintDetails(dc, RECT{0, 0, width, height}, view, &hits);
        // The legend and the switch show the colours too: count the plot alone.
        RECT const above{0, 0, width, hits.day.bottom + 30};
        FillRect(dc, &above, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        if (state == HistoryState::On) {
            EXPECT_GT(count(GetSysColor(COLOR_HIGHLIGHT)), 100);
            EXPECT_GT(count(charging), 100);
            EXPECT_LT(hits.day.right, hits.week.left + 1) << "24 h left of 7 days";
        } else {
            EXPECT_EQ(0, count(charging));
        }
    }
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// The real bar writes the start and its first sample, a suspend and one
// resume for Windows' two resume events, and the exit; the sleep between
// reads 7 h and 9 %. Its menu command opens the window, which grows.
TEST_F(Details, TheBarWritesStartSleepAndExit)
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    g_folder = std::wstring(temp) + L"brisvane-details-test";
    CreateDirectoryW(g_folder.c_str(), nullptr);
    std::wstring const file = g_folder + L"\\Brisvane-history.csv";
    DeleteFileW(file.c_str());
    DeleteFileW((g_folder + L"\\Brisvane.ini").c_str());
    g_system.GetModuleFileNameW = ModuleInFolder;

    ASSERT_TRUE(InitInstance(g_instance, SW_SHOWNOACTIVATE));
    HWND const bar = g_barWindow;
    // The window open meanwhile draws each new line.
    SendMessageW(bar, WM_COMMAND, IDM_BATTERY_DETAILS, 0);
    HWND const window = FindDetails();
    ASSERT_NE(nullptr, window);
    ValidateRect(window, nullptr);
    SendMessageW(bar, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    EXPECT_TRUE(GetUpdateRect(window, nullptr, FALSE)) << "the graph grows while open";
    MoveUtcClock(7LL * 3600 * 1000);
    SetReading(0, 0, 48);
    SendMessageW(bar, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    SendMessageW(bar, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    DestroyWindow(window);  // before DestroyBar drains the queue: a window waiting to paint never drains
    DestroyBar(bar);
    ResetFakes();  // the real module path again

    std::ifstream in(file.c_str(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string const lines = text.str();
    EXPECT_EQ(0u, lines.find("time,percent,ac,charging,rate_mw,event\r\n"));
    std::vector<HistoryRecord> records;
    ParseHistory(lines.data(), lines.size(), 0, INT64_MAX / 2, records);
    ASSERT_EQ(5u, records.size()) << lines;
    HistoryEvent const events[] = {HistoryEvent::Start, HistoryEvent::Sample, HistoryEvent::Suspend,
                                   HistoryEvent::Resume, HistoryEvent::Exit};
    int const percents[] = {57, 57, 57, 48, 48};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(events[i], records[i].event) << i;
        EXPECT_EQ(percents[i], records[i].percent) << i;
    }
    std::vector<SleepSpan> const sleeps = FindSleeps(records, 0, MARKED_SLEEP);
    ASSERT_EQ(1u, sleeps.size());
    EXPECT_EQ(7 * 3600, sleeps[0].to - sleeps[0].from);
    EXPECT_EQ(9, sleeps[0].used);
    DeleteFileW(file.c_str());
    DeleteFileW((g_folder + L"\\Brisvane.ini").c_str());
    RemoveDirectoryW(g_folder.c_str());
}

}  // namespace
