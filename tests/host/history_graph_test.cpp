#include "history/history_graph.h"

#include <gtest/gtest.h>

namespace {

int64_t const NOW = 1796738400;  // 2026-12-08T14:00:00Z
int64_t const H = 3600;
Rect const PLOT{100, 50, 580, 250};  // 480 wide, 200 high

HistoryRecord At(int64_t time, int percent, HistoryEvent event = HistoryEvent::Sample, bool ac = false)
{
    return HistoryRecord{time, static_cast<uint8_t>(percent), ac, ac, HISTORY_RATE_UNKNOWN, event};
}

TEST(GraphScale, DayAndWeek)
{
    struct {
        GraphRange range;
        int64_t time;
        int32_t x;
    } const cases[] = {
        {GraphRange::Day, NOW, 580},         {GraphRange::Day, NOW - 24 * H, 100},
        {GraphRange::Day, NOW - 12 * H, 340}, {GraphRange::Day, NOW - 30 * H, 100},
        {GraphRange::Day, NOW + H, 580},      {GraphRange::Week, NOW - 84 * H, 340},
        {GraphRange::Week, NOW - 24 * H, 100 + 480 * 6 / 7},
    };
    for (auto const& c : cases)
        EXPECT_EQ(c.x, XOfTime(c.time, SpanEndingAt(c.range, NOW), PLOT)) << c.time;
    int const percents[] = {0, 50, 100, 101, -3, 25};
    int const ys[] = {250, 150, 50, 50, 250, 200};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(ys[i], YOfPercent(percents[i], PLOT)) << percents[i];
}

TEST(GraphScale, MarksOnLocalHoursAndMidnights)
{
    // UTC+8: 14:00Z is 22:00 local.
    std::vector<GraphMark> const day = GraphMarks(GraphRange::Day, SpanEndingAt(GraphRange::Day, NOW), 8 * 3600);
    ASSERT_EQ(25u, day.size());
    EXPECT_EQ(NOW - 24 * H, day.front().time);
    EXPECT_EQ(22, day.front().localHour);
    EXPECT_TRUE(day.front().labelled == false);  // 22 is not a third hour
    EXPECT_TRUE(day[2].labelled);                // 00:00
    EXPECT_EQ(0, day[2].localHour);

    // Half an hour off UTC (India): marks on the local half hours of UTC.
    std::vector<GraphMark> const india =
        GraphMarks(GraphRange::Day, SpanEndingAt(GraphRange::Day, NOW), 5 * 3600 + 1800);
    ASSERT_EQ(24u, india.size());
    EXPECT_EQ(NOW - 24 * H + 1800, india.front().time);

    std::vector<GraphMark> const week = GraphMarks(GraphRange::Week, SpanEndingAt(GraphRange::Week, NOW), -5 * 3600);
    ASSERT_EQ(7u, week.size());
    for (GraphMark const& mark : week) {
        EXPECT_EQ(0, mark.localHour);
        EXPECT_TRUE(mark.labelled);
    }
    EXPECT_EQ(12, week.back().month);
    EXPECT_EQ(8, week.back().day);  // 2026-12-08 00:00 at UTC-5
}

TEST(GraphLines, GapsForSleepAndOffAndThePresent)
{
    GraphSpan const span = SpanEndingAt(GraphRange::Day, NOW);
    std::vector<HistoryRecord> const records = {
        At(NOW - 20 * H, 90, HistoryEvent::Start), At(NOW - 18 * H, 80),
        At(NOW - 16 * H, 78, HistoryEvent::Suspend), At(NOW - 9 * H, 70, HistoryEvent::Resume),
        At(NOW - 8 * H, 60, HistoryEvent::Sample, true), At(NOW - 6 * H, 90, HistoryEvent::Exit, true),
        At(NOW - 4 * H, 90, HistoryEvent::Start), At(NOW - 3 * H, 85),  // the program ended unseen:
        At(NOW - 2 * H, 85, HistoryEvent::Start), At(NOW - H, 80),
    };
    std::vector<GraphLine> const lines = GraphLines(records, span, PLOT, NOW);
    // 90 -> 78 | 70 -> 60 (battery), 60 -> 90 (charging) | 90 -> 85, held | 85 -> 80 -> now
    ASSERT_EQ(5u, lines.size());
    EXPECT_FALSE(lines[0].charging);
    EXPECT_EQ(3u, lines[0].points.size());
    EXPECT_EQ(XOfTime(NOW - 16 * H, span, PLOT), lines[0].points.back().x);
    EXPECT_EQ(XOfTime(NOW - 9 * H, span, PLOT), lines[1].points.front().x) << "a gap while asleep";
    EXPECT_TRUE(lines[2].charging);
    EXPECT_EQ(lines[1].points.back().x, lines[2].points.front().x) << "the colour changes, the line goes on";
    EXPECT_EQ(YOfPercent(90, PLOT), lines[2].points.back().y);
    EXPECT_EQ(XOfTime(NOW - 4 * H, span, PLOT), lines[3].points.front().x) << "a gap while off";
    EXPECT_EQ(XOfTime(NOW - 2 * H, span, PLOT), lines[3].points.back().x) << "held until the next start";
    EXPECT_EQ(YOfPercent(85, PLOT), lines[3].points.back().y);
    EXPECT_EQ(PLOT.right, lines[4].points.back().x) << "the last reading holds until now";
    EXPECT_EQ(YOfPercent(80, PLOT), lines[4].points.back().y);
}

TEST(GraphLines, AMonthCostsAPointPerPixelAtMost)
{
    std::vector<HistoryRecord> records;
    for (int i = 0; i < 43200; ++i)
        records.push_back(At(NOW - 43200 * 60 + i * 60, 100 - i % 100));
    GraphSpan const span = SpanEndingAt(GraphRange::Week, NOW);
    std::vector<GraphLine> const lines = GraphLines(records, span, PLOT, NOW);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(PLOT.left, lines[0].points.front().x) << "the line comes in from before the span";
    EXPECT_LT(lines[0].points.size(), 480u * 201u);
    for (size_t i = 1; i < lines[0].points.size(); ++i) {
        EXPECT_LE(lines[0].points[i - 1].x, lines[0].points[i].x);
        EXPECT_FALSE(lines[0].points[i - 1].x == lines[0].points[i].x && lines[0].points[i - 1].y == lines[0].points[i].y);
    }
    EXPECT_TRUE(GraphLines({}, span, PLOT, NOW).empty());
}

TEST(Sleeps, WhatEachCost)
{
    std::vector<HistoryRecord> const records = {
        At(NOW - 30 * H, 80, HistoryEvent::Suspend),  At(NOW - 23 * H, 71, HistoryEvent::Resume),  // 7 h, 9 %
        At(NOW - 20 * H, 70, HistoryEvent::Suspend),  At(NOW - 20 * H + 540, 70, HistoryEvent::Resume),  // 9 min
        At(NOW - 10 * H, 60, HistoryEvent::Suspend),  At(NOW - 9 * H, 64, HistoryEvent::Resume),  // charged
        At(NOW - 5 * H, 50, HistoryEvent::Suspend),   At(NOW - 4 * H, 50, HistoryEvent::Start),   // no resume
        At(NOW - 3 * H, 50, HistoryEvent::Resume),
    };
    std::vector<SleepSpan> const sleeps = FindSleeps(records, NOW - 24 * H, MARKED_SLEEP);
    ASSERT_EQ(2u, sleeps.size());
    EXPECT_EQ(7 * H, sleeps[0].to - sleeps[0].from) << "ends inside the span";
    EXPECT_EQ(9, sleeps[0].used);
    EXPECT_EQ(-4, sleeps[1].used);
    EXPECT_EQ(3u, FindSleeps(records, NOW - 48 * H, 0).size()) << "the short one too, with no minimum";

    struct {
        int64_t seconds;
        int64_t count;
        bool hours;
    } const lengths[] = {{600, 10, false}, {3599, 59, false}, {3600, 1, true}, {7 * H + 1799, 7, true},
                         {7 * H + 1800, 8, true}, {-5, 0, false}};
    for (auto const& l : lengths) {
        SleepLength const length = SleepLengthOf(l.seconds);
        EXPECT_EQ(l.count, length.count) << l.seconds;
        EXPECT_EQ(l.hours, length.hours) << l.seconds;
    }
}

}  // namespace
