// Power broadcasts on the real bar window under Wine: a charger change or a
// resume shows at once, brings a stopped refresh back, and leaves a running
// countdown alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win/fakes.h"

namespace {

using namespace fakes;

class PowerEvent : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakes();
        ASSERT_TRUE(InitInstance(g_instance, SW_SHOWNOACTIVATE));
        bar = g_barWindow;
        ValidateRect(bar, nullptr);
        g_reads = 0;
    }

    void TearDown() override
    {
        DestroyBar(bar);
    }

    // Sends the broadcast and returns the rectangle it left to repaint.
    RECT Broadcast(WPARAM event)
    {
        ValidateRect(bar, nullptr);
        EXPECT_EQ(TRUE, SendMessageW(bar, WM_POWERBROADCAST, event, 0));
        RECT dirty;
        GetUpdateRect(bar, &dirty, FALSE);
        return dirty;
    }

    bool RefreshRuns()
    {
        if (!KillTimer(bar, IDT_REFRESH))
            return false;
        SetTimer(bar, IDT_REFRESH, static_cast<UINT>(g_settings.interval), nullptr);
        return true;
    }

    HWND bar = nullptr;
};

RECT Grown(Rect const& r)
{
    return RECT{r.left, r.top, r.right + 1, r.bottom + 1};
}

TEST_F(PowerEvent, ChargerChangeAndResumeRepaintAtOnce)
{
    struct Case {
        WPARAM event;
        BYTE ac, flag, percent;
        bool iconDirty, fillDirty;
    };
    Case const cases[] = {
        {PBT_APMPOWERSTATUSCHANGE, 1, 9, 57, true, false},   // plugged in
        {PBT_APMPOWERSTATUSCHANGE, 0, 1, 57, true, false},   // pulled
        {PBT_APMRESUMEAUTOMATIC, 0, 1, 41, false, true},     // drained while asleep
        {PBT_APMRESUMESUSPEND, 1, 9, 44, true, true},        // and plugged in meanwhile
        {PBT_APMPOWERSTATUSCHANGE, 1, 9, 44, false, false},  // nothing new
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(testing::Message() << "event " << c.event << " percent " << int(c.percent));
        SetReading(c.ac, c.flag, c.percent);
        g_reads = 0;
        RECT const dirty = Broadcast(c.event);
        EXPECT_EQ(1, g_reads);
        EXPECT_EQ(c.percent, g_barView.percent);
        EXPECT_EQ(std::to_wstring(c.percent) + L"%", g_barView.text);
        EXPECT_EQ(c.ac == 1 ? 0 : -1, g_barView.powerState);
        RECT expected;
        SetRectEmpty(&expected);
        if (c.iconDirty) {
            RECT const icon = Grown(g_barLayout.geometry.icon);
            UnionRect(&expected, &expected, &icon);
        }
        if (c.fillDirty) {
            RECT const fill = Grown(g_barLayout.geometry.fill);
            UnionRect(&expected, &expected, &fill);
        }
        if (IsRectEmpty(&expected))
            EXPECT_TRUE(IsRectEmpty(&dirty));
        else
            EXPECT_TRUE(EqualRect(&expected, &dirty));
        EXPECT_TRUE(RefreshRuns());
    }
}

TEST_F(PowerEvent, OtherPowerEventsReadNothing)
{
    SetReading(1, 9, 80);
    for (WPARAM event : {WPARAM{PBT_APMSUSPEND}, WPARAM{PBT_APMQUERYSUSPEND}, WPARAM{PBT_POWERSETTINGCHANGE},
                         WPARAM{0}, WPARAM{0xFFFF}}) {
        RECT const dirty = Broadcast(event);
        EXPECT_TRUE(IsRectEmpty(&dirty)) << "event " << event;
    }
    EXPECT_EQ(0, g_reads);
    EXPECT_EQ(std::wstring(L"57%"), g_barView.text);
}

TEST_F(PowerEvent, BringsBackARefreshStoppedByAMissingReading)
{
    SetReading(1, 128, 255);
    SendMessageW(bar, WM_TIMER, IDT_REFRESH, 0);
    ASSERT_FALSE(RefreshRuns()) << "a missing reading stops the refresh";

    // Still no reading: the event's own tick stops the refresh again.
    RECT dirty = Broadcast(PBT_APMPOWERSTATUSCHANGE);
    EXPECT_TRUE(IsRectEmpty(&dirty));
    EXPECT_FALSE(RefreshRuns());

    SetReading(0, 1, 63);
    dirty = Broadcast(PBT_APMRESUMEAUTOMATIC);
    EXPECT_EQ(std::wstring(L"63%"), g_barView.text);
    EXPECT_FALSE(IsRectEmpty(&dirty));
    EXPECT_TRUE(RefreshRuns());
}

TEST_F(PowerEvent, CountdownKeepsTheBar)
{
    KillTimer(bar, IDT_REFRESH);  // a countdown replaces the refresh
    SetAutoShutdownForTests(SHUTDOWN_COUNTING, 90);
    lstrcpynW(g_barView.text, L"1:30", ARRAYSIZE(g_barView.text));
    g_barView.percent = 90;
    SetReading(1, 9, 20);
    for (WPARAM event :
         {WPARAM{PBT_APMPOWERSTATUSCHANGE}, WPARAM{PBT_APMRESUMEAUTOMATIC}, WPARAM{PBT_APMRESUMESUSPEND}}) {
        RECT const dirty = Broadcast(event);
        EXPECT_TRUE(IsRectEmpty(&dirty));
    }
    EXPECT_EQ(0, g_reads);
    EXPECT_EQ(std::wstring(L"1:30"), g_barView.text);
    EXPECT_EQ(90, g_barView.percent);
    EXPECT_FALSE(RefreshRuns());
    SetAutoShutdownForTests(SHUTDOWN_IDLE, 0);
}

}  // namespace
