// CBT.dll's exports under Wine against real windows of this process: which
// windows can carry the bar and where it goes, bad arguments, each kind of
// window event of a carrier on this thread followed through the real hooks,
// riding and floating, and install/uninstall alternating (the sequences of
// events are the host tables' of follow_state). The events Windows would raise are raised here, as Wine 8
// raises none of them.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "cbt/cbt.h"
#include "cbt/named_section.h"
#include "cbt/shared_window_record.h"
#include "harness/windows/self_drawn_caption.h"

namespace {

UINT const CAPTION_STATE = WM_USER + 100;
DWORD const OBJECT_CLOAKED = 0x8017;    // EVENT_OBJECT_CLOAKED, newer than the headers' target
DWORD const OBJECT_UNCLOAKED = 0x8018;  // EVENT_OBJECT_UNCLOAKED

// A window of class "SelfDrawn" paints its caption itself: all of it is client.
LRESULT CALLBACK SelfDrawnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCHITTEST)
        return SelfDrawnHitTest(window, lParam);
    if (message == WM_NCCALCSIZE && wParam)
        return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow(DWORD exStyle, DWORD style, int x, int y, int width, int height, HWND parent = nullptr,
                wchar_t const* className = L"STATIC")
{
    HWND window = CreateWindowExW(exStyle, className, L"carrier", style, x, y, width, height, parent, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(nullptr, window);
    return window;
}

// Lets the system deliver what it queued for this thread's event hooks,
// leaving the caption states the library posts in the queue.
void Pump()
{
    UINT const captionState = WM_USER + 100;
    for (int i = 0; i < 3; ++i) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, captionState - 1, PM_REMOVE) ||
               PeekMessageW(&message, nullptr, captionState + 1, 0xFFFFFFFF, PM_REMOVE))
            DispatchMessageW(&message);
        Sleep(5);
    }
}

// What Windows raises by itself, raised here and delivered.
void Raise(DWORD event, HWND window, LONG object = OBJID_WINDOW)
{
    NotifyWinEvent(event, window, object, CHILDID_SELF);
    Pump();
}

class CbtTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        cap = GetSystemMetrics(SM_CYCAPTION);
        // The library moves only a window of its own process of the bar's class.
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"BRISVANE";
        RegisterClassW(&wc);
        wc.lpfnWndProc = SelfDrawnProc;
        wc.lpszClassName = L"SelfDrawn";
        RegisterClassW(&wc);
        bar = MakeWindow(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, WS_POPUP, 0, 0, 75, cap - 8, nullptr,
                         L"BRISVANE");
        ShowWindow(bar, SW_SHOWNOACTIVATE);
    }

    static void Publish(int ignoreDUI, HWND barWindow = bar)
    {
        SharedWindowRecord record{static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(barWindow)), 75, cap - 8, cap,
                                  ignoreDUI};
        // As the program publishes it: one section, open for the process's life.
        static NamedSection section = OpenNamedSection(SHARED_WINDOW_RECORD_NAME, SHARED_WINDOW_RECORD_SIZE, true);
        ASSERT_NE(nullptr, section.view);
        CopyMemory(section.view, &record, sizeof record);
    }

    void TearDown() override
    {
        for (HWND w : made)
            DestroyWindow(w);
        made.clear();
    }

    HWND Carrier(DWORD exStyle, DWORD style, int x, int y, int width, int height, int show = SW_SHOWNOACTIVATE,
                 wchar_t const* className = L"STATIC")
    {
        HWND w = MakeWindow(exStyle, style, x, y, width, height, nullptr, className);
        made.push_back(w);
        ShowWindow(w, show);
        return w;
    }

    // The bar lies in the caption band, centred, its right end just left of
    // the three caption buttons the system draws.
    static void ExpectOnCaption(HWND window, RECT const& r)
    {
        TITLEBARINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetTitleBarInfo(window, &info));
        int const buttons = info.rcTitleBar.right - 3 * GetSystemMetrics(SM_CXSIZE);
        EXPECT_EQ(75, r.right - r.left);
        EXPECT_EQ(cap - 8, r.bottom - r.top);
        EXPECT_LE(r.right, buttons);
        EXPECT_GE(r.right, buttons - 4);
        int const above = r.top - info.rcTitleBar.top;
        int const below = info.rcTitleBar.bottom - r.bottom;
        EXPECT_GE(above, 0);
        EXPECT_LE(below - above, 1);
        EXPECT_GE(below - above, -1);
    }

    // A captioned carrier with the bar on it and the library following it;
    // null where any of that failed.
    HWND RidingCarrier()
    {
        Publish(1);
        HWND w = Carrier(0, WS_OVERLAPPEDWINDOW, 100, 100, 400, 200);
        RECT r;
        if (!CanAdhere(w, &r))
            return nullptr;
        MoveOwnerWindow(bar, &r);
        return InstallCBTHook() == 1 ? w : nullptr;
    }

    static RECT BarRect()
    {
        RECT r;
        GetWindowRect(bar, &r);
        return r;
    }

    static int DrainCaptionStates(int* last)
    {
        int count = 0;
        MSG message;
        while (PeekMessageW(&message, bar, CAPTION_STATE, CAPTION_STATE, PM_REMOVE)) {
            *last = static_cast<int>(message.wParam);
            ++count;
        }
        return count;
    }

    static int cap;
    static HWND bar;
    std::vector<HWND> made;
};

int CbtTest::cap;
HWND CbtTest::bar;

DWORD const CAPTIONED = WS_OVERLAPPEDWINDOW;
DWORD const SELF_DRAWN = WS_POPUP | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

TEST_F(CbtTest, NothingCarriesWithoutTheRecord)
{
    HWND w = Carrier(0, CAPTIONED, 100, 100, 400, 200);
    RECT r{1, 2, 3, 4};
    EXPECT_EQ(0, CanAdhere(w, &r));
    EXPECT_EQ(1, r.left);
    MoveOwnerWindow(bar, &r);  // nothing to remember: must not fail
}

TEST_F(CbtTest, CaptionedWindowCarriesLeftOfItsButtons)
{
    Publish(1);
    HWND w = Carrier(0, CAPTIONED, 100, 100, 400, 200);
    RECT r;
    GetWindowRect(w, &r);
    ASSERT_NE(0, CanAdhere(w, &r));
    ExpectOnCaption(w, r);
    MoveOwnerWindow(bar, &r);
    RECT const moved = BarRect();
    EXPECT_EQ(r.left, moved.left);
    EXPECT_EQ(r.top, moved.top);
    EXPECT_EQ(75, moved.right - moved.left);  // moved, not resized
    EXPECT_NE(0, GetWindowLongW(bar, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(CbtTest, WindowsThatCannotCarryAreRefusedAndTheRectangleKept)
{
    Publish(1);
    HWND parent = Carrier(0, CAPTIONED, 100, 100, 400, 300);
    HWND child = MakeWindow(0, WS_CHILD | WS_VISIBLE | WS_CAPTION, 10, 10, 300, 100, parent);
    int const width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HWND const refused[] = {
        nullptr,
        bar,
        GetDesktopWindow(),
        reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x7fff0)),  // no such window
        child,
        Carrier(WS_EX_TOOLWINDOW, CAPTIONED, 100, 100, 400, 200),
        Carrier(0, CAPTIONED, 100, 100, 400, 200, SW_HIDE),
        Carrier(0, CAPTIONED, 100, 100, 400, 200, SW_SHOWMINNOACTIVE),
        Carrier(0, CAPTIONED, 100, 100, 120, 200),  // caption too narrow
        Carrier(0, SELF_DRAWN, 100, 100, 400, 200),  // IgnoreDUI set
        Carrier(0, WS_POPUP, 0, 0, width, height),    // full screen
    };
    for (HWND w : refused) {
        RECT r{11, 12, 13, 14};
        EXPECT_EQ(0, CanAdhere(w, &r)) << "window " << w;
        EXPECT_EQ(11, r.left);
        EXPECT_EQ(14, r.bottom);
    }
    EXPECT_EQ(0, CanAdhere(parent, nullptr));
    MoveOwnerWindow(bar, nullptr);
    RECT r{0, 0, 0, 0};
    MoveOwnerWindow(nullptr, &r);
}

// A caption the window draws itself carries the bar left of the buttons it
// answers and of its own button beside them: with WS_CAPTION always, without
// it only with IgnoreDUI clear. A window without WS_CAPTION that answers no
// caption and no buttons does not carry.
TEST_F(CbtTest, SelfDrawnCaptionCarriesLeftOfWhatItAnswers)
{
    Publish(0);
    HWND w = Carrier(0, SELF_DRAWN, 150, 120, 400, 200, SW_SHOWNOACTIVATE, L"SelfDrawn");
    RECT frame;
    GetWindowRect(w, &frame);
    int const ownButtons = frame.right - 4 * SELF_DRAWN_BUTTON - SELF_DRAWN_EXTRA;
    RECT r = frame;
    ASSERT_NE(0, CanAdhere(w, &r));
    EXPECT_GE(r.top, frame.top);
    EXPECT_LE(r.bottom, frame.top + cap);
    EXPECT_LE(r.right, frame.right - 3 * GetSystemMetrics(SM_CXSIZE));
    EXPECT_LE(r.right, ownButtons);
    EXPECT_GE(r.right, ownButtons - 4);
    EXPECT_GT(r.left, frame.left);
    HWND answersNothing = Carrier(0, SELF_DRAWN, 150, 340, 400, 200);
    EXPECT_EQ(0, CanAdhere(answersNothing, &r));
    // Full screen stays refused whatever IgnoreDUI says.
    HWND full = Carrier(0, WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(0, CanAdhere(full, &r));
    Publish(1);
    EXPECT_EQ(0, CanAdhere(w, &r));

    HWND painted = Carrier(0, CAPTIONED, 500, 120, 420, 200, SW_SHOWNOACTIVATE, L"SelfDrawn");
    GetWindowRect(painted, &frame);
    ASSERT_NE(0, CanAdhere(painted, &r));
    EXPECT_LE(r.right, frame.right - 4 * SELF_DRAWN_BUTTON - SELF_DRAWN_EXTRA);
    EXPECT_GE(r.right, frame.right - 4 * SELF_DRAWN_BUTTON - SELF_DRAWN_EXTRA - 4);
    EXPECT_LE(r.bottom, frame.top + SELF_DRAWN_CAPTION);
}

// A full-screen window in front on the bar's monitor hides the bar; it is
// back when that window leaves full screen or loses the foreground, and when
// the library is switched off.
TEST_F(CbtTest, FullScreenWindowInFrontHidesTheBar)
{
    HWND w = RidingCarrier();
    ASSERT_NE(nullptr, w);
    int const width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HWND video = Carrier(0, WS_POPUP, 0, 0, width, height);

    Raise(EVENT_SYSTEM_FOREGROUND, video);
    EXPECT_FALSE(IsWindowVisible(bar));
    SetWindowPos(video, nullptr, 200, 200, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    Raise(EVENT_OBJECT_LOCATIONCHANGE, video);
    EXPECT_TRUE(IsWindowVisible(bar)) << "out of full screen";
    EXPECT_EQ(width - cap - 3, BarRect().right) << "parked: the video window cannot carry";

    SetWindowPos(video, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    Raise(EVENT_SYSTEM_FOREGROUND, video);
    EXPECT_FALSE(IsWindowVisible(bar));
    Raise(EVENT_SYSTEM_FOREGROUND, w);
    EXPECT_TRUE(IsWindowVisible(bar)) << "the carrier in front again";
    ExpectOnCaption(w, BarRect());

    // Its closing is the floating bar's below (the same hooks and hiding);
    // that it parks the riding bar is the host table's (follow_state).
    HWND game = Carrier(0, WS_POPUP, 0, 0, width, height);
    Raise(EVENT_SYSTEM_FOREGROUND, game);
    EXPECT_FALSE(IsWindowVisible(bar));
    EXPECT_EQ(1, UninstallCBTHook());
    EXPECT_TRUE(IsWindowVisible(bar)) << "riding switched off";
}

// Floating, the same hooks hide the bar for a full-screen window in front
// and show it again where it was; nothing else moves it.
TEST_F(CbtTest, FloatingOnlyAFullScreenWindowInFrontHidesTheBar)
{
    Publish(1);
    SetWindowPos(bar, nullptr, 300, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ASSERT_EQ(1, FloatCBTHook());
    EXPECT_EQ(0, FloatCBTHook());
    HWND w = Carrier(0, CAPTIONED, 100, 100, 400, 200);
    Raise(EVENT_SYSTEM_FOREGROUND, w);
    EXPECT_EQ(300, BarRect().left) << "a window that could carry takes no floating bar";
    int const width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HWND video = Carrier(0, WS_POPUP, 0, 0, width, height);
    Raise(EVENT_SYSTEM_FOREGROUND, video);
    EXPECT_FALSE(IsWindowVisible(bar));
    DestroyWindow(video);
    Raise(EVENT_OBJECT_DESTROY, video);
    EXPECT_TRUE(IsWindowVisible(bar)) << "the full-screen window closed";
    EXPECT_EQ(300, BarRect().left);
    EXPECT_EQ(40, BarRect().top);

    // Switched to riding while hidden: shown, and follows from then on.
    HWND game = Carrier(0, WS_POPUP, 0, 0, width, height);
    Raise(EVENT_SYSTEM_FOREGROUND, game);
    EXPECT_FALSE(IsWindowVisible(bar));
    RECT r;
    ASSERT_NE(0, CanAdhere(w, &r));
    MoveOwnerWindow(bar, &r);
    ASSERT_EQ(1, InstallCBTHook());
    EXPECT_TRUE(IsWindowVisible(bar));
    SetWindowPos(w, nullptr, 140, 120, 420, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    Raise(EVENT_OBJECT_LOCATIONCHANGE, w);
    ExpectOnCaption(w, BarRect());
    EXPECT_EQ(1, UninstallCBTHook());
    EXPECT_EQ(0, UninstallCBTHook());
}

// The kinds of event not raised above, once each through the real hooks:
// hidden and shown, cloaked and uncloaked, minimised and restored.
TEST_F(CbtTest, EachKindOfCarrierEventReachesTheBar)
{
    HWND w = RidingCarrier();
    ASSERT_NE(nullptr, w);
    SetForegroundWindow(w);
    Pump();
    if (GetForegroundWindow() != w)
        GTEST_SKIP() << "no foreground window under this display";
    int const parkedRight = GetSystemMetrics(SM_CXSCREEN) - cap - 3;
    struct {
        int show;  // what the carrier does, then what it says
        DWORD event;
        bool parked;
    } const steps[] = {
        {SW_HIDE, EVENT_OBJECT_HIDE, true},
        {SW_SHOW, EVENT_OBJECT_SHOW, false},
        {SW_SHOW, OBJECT_CLOAKED, true},
        {SW_SHOW, OBJECT_UNCLOAKED, false},
        {SW_MINIMIZE, EVENT_SYSTEM_MINIMIZESTART, true},
        {SW_RESTORE, EVENT_SYSTEM_MINIMIZEEND, false},
    };
    for (auto const& step : steps) {
        ShowWindow(w, step.show);
        if (step.show != SW_HIDE)
            SetForegroundWindow(w);
        Raise(step.event, w);
        if (step.parked)
            EXPECT_EQ(parkedRight, BarRect().right) << "event " << step.event;
        else
            ExpectOnCaption(w, BarRect());
    }
    EXPECT_EQ(1, UninstallCBTHook());
}

TEST_F(CbtTest, EventsOfTheCarrierAreFollowedUntilUninstalled)
{
    Publish(1);
    HWND w = Carrier(0, CAPTIONED, 100, 100, 400, 200);
    HWND other = Carrier(0, CAPTIONED, 500, 300, 400, 200);
    RECT r;
    ASSERT_NE(0, CanAdhere(w, &r));
    MoveOwnerWindow(bar, &r);
    ASSERT_EQ(1, InstallCBTHook());
    EXPECT_EQ(0, InstallCBTHook());  // strictly alternating

    SetWindowPos(w, nullptr, 220, 160, 460, 220, SWP_NOZORDER | SWP_NOACTIVATE);
    Raise(EVENT_OBJECT_LOCATIONCHANGE, w);
    ExpectOnCaption(w, BarRect());

    // Only the carrier itself moves the bar: not its caret, not another window.
    RECT const placed = BarRect();
    SetWindowPos(w, nullptr, 260, 200, 460, 220, SWP_NOZORDER | SWP_NOACTIVATE);
    Raise(EVENT_OBJECT_LOCATIONCHANGE, w, OBJID_CARET);
    Raise(EVENT_OBJECT_LOCATIONCHANGE, other);
    EXPECT_EQ(placed.left, BarRect().left);
    EXPECT_EQ(placed.top, BarRect().top);
    Raise(EVENT_OBJECT_LOCATIONCHANGE, w);
    ExpectOnCaption(w, BarRect());

    // A window that cannot carry in front: inactive, the bar stays; the
    // carrier in front again: active.
    HWND tool = Carrier(WS_EX_TOOLWINDOW, CAPTIONED, 600, 100, 200, 150);
    int last = -1;
    DrainCaptionStates(&last);
    Raise(EVENT_SYSTEM_FOREGROUND, tool);
    EXPECT_EQ(1, DrainCaptionStates(&last));
    EXPECT_EQ(0, last);
    ExpectOnCaption(w, BarRect());
    Raise(EVENT_SYSTEM_FOREGROUND, w);
    EXPECT_EQ(1, DrainCaptionStates(&last));
    EXPECT_EQ(1, last);

    // Minimised: parked caption height + 3 in from the screen's corner, and
    // painted as active again.
    ShowWindow(w, SW_SHOWMINNOACTIVE);
    Raise(EVENT_SYSTEM_MINIMIZESTART, w);
    RECT const parked = BarRect();
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - cap - 3, parked.right);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) - cap - 3, parked.bottom);
    EXPECT_GE(DrainCaptionStates(&last), 1);
    EXPECT_EQ(1, last);

    ShowWindow(w, SW_SHOWNOACTIVATE);
    ASSERT_NE(0, CanAdhere(w, &r));
    MoveOwnerWindow(bar, &r);
    ASSERT_EQ(1, UninstallCBTHook());
    EXPECT_EQ(0, UninstallCBTHook());
    DrainCaptionStates(&last);
    RECT const before = BarRect();
    SetWindowPos(w, nullptr, 50, 60, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    Raise(EVENT_OBJECT_LOCATIONCHANGE, w);
    Raise(EVENT_SYSTEM_FOREGROUND, tool);
    ShowWindow(w, SW_SHOWMINNOACTIVE);
    Raise(EVENT_SYSTEM_MINIMIZESTART, w);
    EXPECT_EQ(before.left, BarRect().left);
    EXPECT_EQ(before.top, BarRect().top);
    EXPECT_EQ(0, DrainCaptionStates(&last));

    // Installing again follows again.
    ShowWindow(w, SW_SHOWNOACTIVATE);
    ASSERT_NE(0, CanAdhere(w, &r));
    MoveOwnerWindow(bar, &r);
    ASSERT_EQ(1, InstallCBTHook());
    SetWindowPos(w, nullptr, 80, 90, 420, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    Raise(EVENT_OBJECT_LOCATIONCHANGE, w);
    ExpectOnCaption(w, BarRect());
    // Gone: parked.
    DestroyWindow(w);
    Raise(EVENT_OBJECT_DESTROY, w);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - cap - 3, BarRect().right);
    EXPECT_EQ(1, UninstallCBTHook());
}

// The bar's own window in front (its tray menu is open) is no carrier: the
// caption it rides on paints inactive and the bar stays.
TEST_F(CbtTest, TheBarInFrontPaintsInactiveAndStays)
{
    HWND w = RidingCarrier();
    ASSERT_NE(nullptr, w);

    int last = -1;
    DrainCaptionStates(&last);
    Raise(EVENT_SYSTEM_FOREGROUND, bar);
    EXPECT_EQ(1, DrainCaptionStates(&last));
    EXPECT_EQ(0, last);
    ExpectOnCaption(w, BarRect());
    EXPECT_EQ(1, UninstallCBTHook());
}

// Anyone can write the record: a handle in it that is not this process's
// bar moves nothing.
TEST_F(CbtTest, ARecordNamingAnotherWindowMovesNothing)
{
    HWND stranger = Carrier(WS_EX_TOOLWINDOW, WS_POPUP, 10, 10, 75, cap - 8);
    Publish(1, stranger);
    HWND w = Carrier(0, CAPTIONED, 100, 100, 400, 200);
    RECT r;
    ASSERT_NE(0, CanAdhere(w, &r));
    MoveOwnerWindow(stranger, &r);
    ASSERT_EQ(1, InstallCBTHook());
    Raise(EVENT_SYSTEM_FOREGROUND, w);
    SetWindowPos(w, nullptr, 220, 160, 460, 220, SWP_NOZORDER | SWP_NOACTIVATE);
    Raise(EVENT_OBJECT_LOCATIONCHANGE, w);
    RECT moved;
    GetWindowRect(stranger, &moved);
    EXPECT_EQ(10, moved.left);
    EXPECT_EQ(10, moved.top);
    EXPECT_EQ(1, UninstallCBTHook());
    Publish(1);
}

}  // namespace
