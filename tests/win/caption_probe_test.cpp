// Asking windows of this process where their caption buttons are, and
// telling full-screen windows, under Wine against real windows: a
// self-drawn caption like a browser's, windows that answer nothing useful, a
// window too slow to answer.
#include <windows.h>

#include <gtest/gtest.h>

#include "cbt/caption_probe.h"
#include "cbt/full_screen_window.h"
#include "tests/win/fakes.h"
#include "harness/windows/self_drawn_caption.h"

namespace {

using fakes::TestWindow;

int const CAPTION = SELF_DRAWN_CAPTION, BUTTON = SELF_DRAWN_BUTTON, EXTRA = SELF_DRAWN_EXTRA;

int g_hitTests;           // WM_NCHITTEST messages received
HANDLE g_release;         // set: the slow window's thread may go on

LRESULT CALLBACK SelfDrawnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_NCHITTEST)
        return DefWindowProcW(window, message, wParam, lParam);
    ++g_hitTests;
    return SelfDrawnHitTest(window, lParam);
}

// Where the bar ends on the self-drawn caption of a window whose right edge is at right.
int BarRightOf(int right)
{
    return right - 4 * BUTTON - EXTRA;
}

class CaptionProbe : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetCaptionProbes();
        g_hitTests = 0;
    }
    void TearDown() override
    {
        for (HWND w : made)
            DestroyWindow(w);
    }
    HWND Window(wchar_t const* className, DWORD style, int x, int y, int width, int height, WNDPROC proc = nullptr)
    {
        made.push_back(TestWindow(className, style, x, y, width, height, proc));
        EXPECT_NE(nullptr, made.back());
        return made.back();
    }
    HWND SelfDrawn(int x, int y, int width, int height)
    {
        return Window(L"SelfDrawn", WS_POPUP, x, y, width, height, SelfDrawnProc);
    }
    static CaptionRowReading Probe(HWND window, int row, QueryOutcome* outcome = nullptr)
    {
        RECT frame;
        GetWindowRect(window, &frame);
        QueryOutcome ignored;
        return ProbeCaptionRow(window, frame, row, outcome != nullptr ? outcome : &ignored);
    }
    std::vector<HWND> made;
};

TEST_F(CaptionProbe, FindsTheButtonsAndTheClientRunOfASelfDrawnCaption)
{
    HWND w = SelfDrawn(100, 100, 800, 400);
    CaptionRowReading const r = Probe(w, 100 + CAPTION / 2);
    EXPECT_TRUE(r.buttonsFound);
    EXPECT_TRUE(r.answersCaption);
    EXPECT_EQ(BarRightOf(900), r.barRight) << "to the pixel, left of the tab-search button";
    EXPECT_LT(g_hitTests, 45) << "a few coarse steps and a few halvings";

    // Below the caption everything is client: no buttons, nothing to end at.
    CaptionRowReading const low = Probe(w, 100 + CAPTION + 10);
    EXPECT_FALSE(low.buttonsFound);
    EXPECT_FALSE(low.answersCaption);
}

TEST_F(CaptionProbe, KeptUntilTheSizeChangesAndMovedAlong)
{
    HWND w = SelfDrawn(100, 100, 800, 400);
    int const first = Probe(w, 116).barRight;
    int const asked = g_hitTests;
    ASSERT_GT(asked, 0);

    SetWindowPos(w, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CaptionRowReading const moved = Probe(w, 76);
    EXPECT_EQ(asked, g_hitTests) << "not asked again for a move";
    EXPECT_EQ(first - 50, moved.barRight);
    EXPECT_TRUE(moved.buttonsFound);

    SetWindowPos(w, nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CaptionRowReading const resized = Probe(w, 76);
    EXPECT_GT(g_hitTests, asked) << "asked again after a resize";
    EXPECT_EQ(BarRightOf(650), resized.barRight);

    // A window that answers client everywhere is asked once too.
    HWND plain = Window(L"STATIC", WS_POPUP, 0, 0, 500, 200);
    CaptionRowReading const none = Probe(plain, 10);
    EXPECT_FALSE(none.buttonsFound || none.answersCaption);
    int const after = g_hitTests;
    Probe(plain, 10);
    EXPECT_EQ(after, g_hitTests);
}

// A window whose thread does not take its messages until released.
DWORD WINAPI SlowWindowThread(LPVOID made)
{
    HWND w = TestWindow(L"SelfDrawn", WS_POPUP, 100, 100, 800, 400, SelfDrawnProc);
    *static_cast<HWND*>(made) = w;
    WaitForSingleObject(g_release, INFINITE);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    DestroyWindow(w);
    return 0;
}

TEST_F(CaptionProbe, ASlowWindowCostsNoMoreThanTheBudgetAndIsAskedAgain)
{
    g_release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND w = nullptr;
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, SlowWindowThread, &w, 0, &threadId);
    while (w == nullptr)
        Sleep(5);

    DWORD const start = GetTickCount();
    QueryOutcome outcome = QueryOutcome::Answered;
    CaptionRowReading const r = Probe(w, 116, &outcome);
    DWORD const took = GetTickCount() - start;
    EXPECT_FALSE(r.buttonsFound || r.answersCaption);
    EXPECT_EQ(QueryOutcome::CutShort, outcome) << "to be asked again, not taken for a refusal";
    EXPECT_LT(took, 1000u) << "a stalled window must not stall the bar";

    SetEvent(g_release);
    CaptionRowReading again{};
    for (int i = 0; i < 50 && !again.buttonsFound; ++i) {
        Sleep(20);
        again = Probe(w, 116);
    }
    EXPECT_TRUE(again.buttonsFound) << "an answer cut short is not kept";
    EXPECT_EQ(BarRightOf(900), again.barRight);
    PostThreadMessageW(threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    CloseHandle(g_release);
}

TEST_F(CaptionProbe, FullScreenCoversTheMonitorWithNoCaptionOnIt)
{
    HMONITOR const monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info;
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoW(monitor, &info));
    RECT const m = info.rcMonitor;
    int const width = m.right - m.left, height = m.bottom - m.top;

    HWND video = Window(L"STATIC", WS_POPUP, m.left, m.top, width, height);
    EXPECT_TRUE(IsFullScreenOn(video, monitor, CAPTION));
    EXPECT_FALSE(IsFullScreenOn(video, nullptr, CAPTION));

    HWND browser = SelfDrawn(m.left, m.top, width, height);
    EXPECT_FALSE(IsFullScreenOn(browser, monitor, CAPTION)) << "its own caption is on the monitor";

    HWND maximised = Window(L"STATIC", WS_OVERLAPPEDWINDOW, m.left, m.top, 400, 300);
    ShowWindow(maximised, SW_MAXIMIZE);
    EXPECT_FALSE(IsFullScreenOn(maximised, monitor, CAPTION)) << "a maximised window shows its caption";
    HWND small = Window(L"STATIC", WS_POPUP, m.left, m.top, width, height - 40);
    EXPECT_FALSE(IsFullScreenOn(small, monitor, CAPTION));
    ShowWindow(video, SW_MINIMIZE);
    EXPECT_FALSE(IsFullScreenOn(video, monitor, CAPTION));
    ShowWindow(video, SW_RESTORE);
    ShowWindow(video, SW_HIDE);
    EXPECT_FALSE(IsFullScreenOn(video, monitor, CAPTION));
    EXPECT_FALSE(IsFullScreenOn(GetDesktopWindow(), monitor, CAPTION));
    EXPECT_FALSE(IsFullScreenOn(nullptr, monitor, CAPTION));
}

}  // namespace
