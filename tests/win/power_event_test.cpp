// Power broadcasts on the real bar window under Wine: a charger change, a
// resume or a power-setting notification shows at once, brings a stopped
// refresh back, and leaves a running countdown alone; what each reading does
// to the tray tip and the reminders.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

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

    // What Windows sends for a registered power setting: the record's
    // address in lParam, the new value in its data.
    RECT SettingChanged(GUID const& setting, DWORD value)
    {
        POWERBROADCAST_SETTING record{setting, sizeof value, {0}};
        static_assert(sizeof record.Data >= 1, "");
        struct {
            POWERBROADCAST_SETTING head;
            BYTE rest[sizeof(DWORD)];
        } message;
        message.head = record;
        std::memcpy(message.head.Data, &value, sizeof value);
        ValidateRect(bar, nullptr);
        EXPECT_EQ(TRUE, SendMessageW(bar, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, (LPARAM)&message.head));
        RECT dirty;
        GetUpdateRect(bar, &dirty, FALSE);
        return dirty;
    }

    // The tip and the notifications the shell was given since the last call.
    std::wstring tip;
    std::vector<std::wstring> notes;
    void TakeShellCalls()
    {
        notes.clear();
        for (NOTIFYICONDATAW const& data : g_shellData) {
            if (data.uFlags & NIF_TIP)
                tip = data.szTip;
            if (data.uFlags & NIF_INFO)
                notes.push_back(std::wstring(data.szInfoTitle) + L"|" + data.szInfo);
        }
        g_shellData.clear();
        g_shellMessages.clear();
    }

    HWND bar = nullptr;
};

GUID const PERCENTAGE = {0xa7ad8041, 0xb45a, 0x4cae, {0x87, 0xa3, 0xee, 0xcb, 0xb4, 0x68, 0xa9, 0xe1}};
GUID const POWER_SOURCE = {0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};
GUID const MONITOR_POWER = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

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
    StartTestCountdown(bar, 90);
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
    EndTestCountdown(bar);
}

}  // namespace

namespace {

// Windows tells of a new charge or power source as soon as it has them;
// the bar reads them then, not at its next tick an hour away.
TEST_F(PowerEvent, PowerSettingChangeReadsAtOnce)
{
    ASSERT_EQ(2u, g_registered.size());
    EXPECT_TRUE(IsEqualGUID(PERCENTAGE, g_registered[0]));
    EXPECT_TRUE(IsEqualGUID(POWER_SOURCE, g_registered[1]));
    g_settings.interval = 3600000;
    StartRefresh(bar, g_settings.interval);

    SetReading(0, 1, 56);
    RECT dirty = SettingChanged(PERCENTAGE, 56);
    EXPECT_EQ(1, g_reads);
    EXPECT_EQ(std::wstring(L"56%"), g_barView.text);
    RECT const fill = Grown(g_barLayout.geometry.fill);
    EXPECT_TRUE(EqualRect(&fill, &dirty));

    SetReading(1, 9, 56);
    dirty = SettingChanged(POWER_SOURCE, 0);
    EXPECT_EQ(2, g_reads);
    EXPECT_EQ(POWER_STATE_MAINS, g_barView.powerState);
    TakeShellCalls();
    EXPECT_EQ(std::wstring(L"电量监视\n电量 56%，充电中"), tip);
    EXPECT_EQ(3600000u, RefreshPeriodInUse());

    // Another setting, or no record at all, is none of the bar's business.
    SettingChanged(MONITOR_POWER, 1);
    EXPECT_EQ(TRUE, SendMessageW(bar, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, 0));
    EXPECT_EQ(2, g_reads);

    DestroyBar(bar);
    bar = nullptr;
    EXPECT_EQ(2, g_unregistered) << "both registrations undone at exit";
}

// Where the system takes no registration, the poll still reads the battery.
TEST_F(PowerEvent, RefusedRegistrationLeavesThePoll)
{
    DestroyBar(bar);
    g_unregistered = 0;
    g_registered.clear();
    g_refuseRegistrations = true;
    ASSERT_TRUE(InitInstance(g_instance, SW_SHOWNOACTIVATE));
    bar = g_barWindow;
    EXPECT_TRUE(g_registered.empty());
    EXPECT_TRUE(RefreshRuns());
    SetReading(0, 1, 44);
    g_reads = 0;
    SendMessageW(bar, WM_TIMER, IDT_REFRESH, 0);
    EXPECT_EQ(1, g_reads);
    EXPECT_EQ(std::wstring(L"44%"), g_barView.text);
    DestroyBar(bar);
    bar = nullptr;
    EXPECT_EQ(0, g_unregistered);
}

// Each reading rewrites the tip and the bar's text; a level crossed reminds
// once, and not while the user takes no notifications.
TEST_F(PowerEvent, TipsAndRemindersFollowTheReadings)
{
    g_settings.alertLow = 20;
    g_settings.alertHigh = 80;
    SetBarShowsTime(true);
    uint32_t const minus12W = static_cast<uint32_t>(-12000);
    struct Step {
        BYTE ac, flag, percent;
        DWORD life;
        bool charging;
        DWORD rate;
        QUERY_USER_NOTIFICATION_STATE user;
        wchar_t const* bar;
        wchar_t const* tip;
        wchar_t const* note;
    } const steps[] = {
        {0, 0, 21, 3600, false, minus12W, QUNS_ACCEPTS_NOTIFICATIONS, L"1:00",
         L"电量 21%，剩余 1小时0分钟\n放电功率 12.0 W", nullptr},
        {0, 2, 19, 3240, false, minus12W, QUNS_ACCEPTS_NOTIFICATIONS, L"0:54",
         L"电量 19%，剩余 54分钟\n放电功率 12.0 W", L"电量低|电量 19%，请接通电源。"},
        {0, 2, 20, 3400, false, minus12W, QUNS_ACCEPTS_NOTIFICATIONS, L"0:56",
         L"电量 20%，剩余 56分钟\n放电功率 12.0 W", nullptr},
        {0, 2, 19, BATTERY_LIFE_UNKNOWN, false, RATE_UNKNOWN, QUNS_ACCEPTS_NOTIFICATIONS, L"19%",
         L"电量 19%", nullptr},
        // Plugged in and pulled again during a presentation: due, held back, then shown.
        {1, 8, 19, BATTERY_LIFE_UNKNOWN, true, minus12W, QUNS_PRESENTATION_MODE, L"19%",
         L"电量 19%，充电中，约 1小时0分钟后充满\n充电功率 12.0 W", nullptr},
        {0, 2, 19, 3000, false, 0, QUNS_PRESENTATION_MODE, L"0:50", L"电量 19%，剩余 50分钟", nullptr},
        {0, 2, 18, 3000, false, 0, QUNS_ACCEPTS_NOTIFICATIONS, L"0:50", L"电量 18%，剩余 50分钟",
         L"电量低|电量 18%，请接通电源。"},
        {1, 8, 80, BATTERY_LIFE_UNKNOWN, true, 0, QUNS_ACCEPTS_NOTIFICATIONS, L"80%", L"电量 80%，充电中",
         L"充电提醒|电量已充到 80%，可以拔下电源了。"},
        {1, 1, 100, BATTERY_LIFE_UNKNOWN, false, 0, QUNS_ACCEPTS_NOTIFICATIONS, L"100%", L"电量 100%，已接通电源",
         nullptr},
    };
    for (Step const& step : steps) {
        SCOPED_TRACE(testing::Message() << int(step.percent) << "% ac " << int(step.ac));
        SetReading(step.ac, step.flag, step.percent);
        // 12 Wh to fill: an hour at 12 W.
        SetBatteryState(step.life, step.charging, 60000, 60000 - 12000 * (step.charging ? 1 : 0), step.rate);
        g_notificationState = step.user;
        std::wstring const tipBefore = tip;
        SendMessageW(bar, WM_TIMER, IDT_REFRESH, 0);
        TakeShellCalls();
        EXPECT_EQ(std::wstring(step.bar), g_barView.text);
        EXPECT_EQ(step.tip != nullptr ? std::wstring(L"电量监视\n") + step.tip : tipBefore, tip);
        ASSERT_EQ(step.note != nullptr ? 1u : 0u, notes.size());
        if (step.note != nullptr) {
            EXPECT_EQ(std::wstring(step.note), notes[0]);
        }
    }
}

// What the shell says of a reminder decides whether it comes again: one it
// dropped without showing (quiet hours, Focus Assist, notifications off for
// the program) comes back 15 minutes after it was handed over while the
// level holds; one it showed does not, nor one it says nothing of (Wine's
// tray, an older shell).
TEST_F(PowerEvent, ReminderDroppedUnseenComesBackAfterFifteenMinutes)
{
    g_settings.alertLow = 20;
    // Reads the battery at PERCENT, MINUTES of the UTC clock later: the reminders shown.
    auto read = [this](BYTE percent, LONGLONG minutes) {
        MoveUtcClock(minutes * 60000);
        SetReading(0, percent <= 20 ? 2 : 1, percent);
        SendMessageW(bar, WM_TIMER, IDT_REFRESH, 0);
        TakeShellCalls();
        return notes.size();
    };
    struct {
        std::vector<WORD> words;  // what the shell says, in its order
        size_t again;
    } const cases[] = {{{NIN_BALLOONTIMEOUT}, 1}, {{NIN_BALLOONHIDE}, 1}, {{NIN_BALLOONSHOW, NIN_BALLOONTIMEOUT}, 0},
                       {{NIN_BALLOONSHOW, NIN_BALLOONUSERCLICK, NIN_BALLOONHIDE}, 0}, {{}, 0}};
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << c.words.size() << " words, the first " << (c.words.empty() ? 0 : c.words[0]));
        read(25, 0);
        ASSERT_EQ(1u, read(19, 0)) << "the crossing reminds";
        for (WORD word : c.words)
            EXPECT_EQ(1, SendMessageW(bar, WM_TRAYNOTIFY, MAKEWPARAM(1500, 900), MAKELPARAM(word, TRAY_ICON_ID)));
        EXPECT_EQ(0u, read(19, 1) + read(19, 13)) << "not again before 15 minutes";
        EXPECT_EQ(c.again, read(19, 1));
        read(23, 0);  // left by the re-arm distance: the next crossing reminds at once
        EXPECT_EQ(1u, read(19, 0));
    }
}

}  // namespace
