#include "history/history_lines.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

int64_t const T = 1796739605;  // 2026-12-08T14:20:05Z

TEST(UtcTime, BothWaysAndOnlyRealDates)
{
    char text[UTC_TEXT_SIZE];
    FormatUtcTime(T, text);
    EXPECT_STREQ("2026-12-08T14:20:05Z", text);
    int64_t back = 0;
    ASSERT_TRUE(ParseUtcTime(text, 20, &back));
    EXPECT_EQ(T, back);
    struct {
        char const* text;
        bool ok;
    } const cases[] = {
        {"1970-01-01T00:00:00Z", true},  {"2024-02-29T23:59:59Z", true},  {"2026-02-29T10:00:00Z", false},
        {"2026-13-01T10:00:00Z", false}, {"2026-12-08T24:00:00Z", false}, {"2026-12-08 14:20:05Z", false},
        {"2026-12-08T14:20:05", false},  {"2026-12-08T14:2x:05Z", false}, {"1969-12-31T23:59:59Z", false},
    };
    for (auto const& c : cases) {
        int64_t time = 0;
        EXPECT_EQ(c.ok, ParseUtcTime(c.text, std::strlen(c.text), &time)) << c.text;
    }
    FormatUtcTime(-1, text);
    EXPECT_STREQ("", text);
}

TEST(HistoryLine, FormatsAndParsesBack)
{
    struct {
        HistoryRecord record;
        char const* line;
    } const cases[] = {
        {{T, 57, false, false, -12000, HistoryEvent::Sample}, "2026-12-08T14:20:05Z,57,0,0,-12000,sample\r\n"},
        {{T, 100, true, false, 0, HistoryEvent::Start}, "2026-12-08T14:20:05Z,100,1,0,0,start\r\n"},
        {{T, 0, true, true, 45000, HistoryEvent::Resume}, "2026-12-08T14:20:05Z,0,1,1,45000,resume\r\n"},
        {{T, 9, false, false, HISTORY_RATE_UNKNOWN, HistoryEvent::Suspend}, "2026-12-08T14:20:05Z,9,0,0,,suspend\r\n"},
        {{T, 9, false, false, HISTORY_RATE_UNKNOWN, HistoryEvent::Exit}, "2026-12-08T14:20:05Z,9,0,0,,exit\r\n"},
    };
    for (auto const& c : cases) {
        char line[HISTORY_LINE_SIZE];
        size_t const length = FormatHistoryLine(c.record, line, sizeof line);
        EXPECT_STREQ(c.line, line);
        EXPECT_EQ(std::strlen(c.line), length);
        HistoryRecord back{};
        ASSERT_TRUE(ParseHistoryLine(line, length - 1, &back)) << line;  // without the '\n', with the '\r'
        EXPECT_EQ(c.record.time, back.time);
        EXPECT_EQ(c.record.percent, back.percent);
        EXPECT_EQ(c.record.ac, back.ac);
        EXPECT_EQ(c.record.charging, back.charging);
        EXPECT_EQ(c.record.rateMw, back.rateMw);
        EXPECT_EQ(c.record.event, back.event);
    }
    char small[20];
    EXPECT_EQ(0u, FormatHistoryLine(cases[0].record, small, sizeof small)) << "does not fit";
    HistoryRecord bad = cases[0].record;
    bad.percent = 101;
    char line[HISTORY_LINE_SIZE];
    EXPECT_EQ(0u, FormatHistoryLine(bad, line, sizeof line));
}

TEST(HistoryLine, RejectsWhatIsNotALine)
{
    char const* const bad[] = {
        "time,percent,ac,charging,rate_mw,event",
        "2026-12-08T14:20:05Z,57,0,0,-12000,sampl",
        "2026-12-08T14:20:05Z,57,0,0,-12000",
        "2026-12-08T14:20:05Z,57,0,0,-12000,sample,extra",
        "2026-12-08T14:20:05Z,101,0,0,,sample",
        "2026-12-08T14:20:05Z,-1,0,0,,sample",
        "2026-12-08T14:20:05Z,57,2,0,,sample",
        "2026-12-08T14:20:05Z,57,0,0,12x,sample",
        "2026-12-08T14:20:05Z,57,0,0,-,sample",
        "2026-12-08T14:20:05Z,,0,0,,sample",
        "2026-12-08T14:2",
        ",,,,,",
        "",
        "\x01\x02 binary junk",
    };
    for (char const* line : bad) {
        HistoryRecord record{};
        EXPECT_FALSE(ParseHistoryLine(line, std::strlen(line), &record)) << line;
    }
}

TEST(History, KeepsGoodLinesInOrderAndDropsTheRest)
{
    std::string const text =
        "time,percent,ac,charging,rate_mw,event\r\n"
        "2026-12-08T10:00:00Z,80,0,0,-9000,start\r\n"
        "junk\r\n"
        "2026-12-08T12:00:00Z,70,0,0,-9000,sample\n"                 // a bare line break
        "2026-12-08T11:00:00Z,75,0,0,-9000,sample\r\n"               // out of order: sorted in
        "2026-12-08T14:24:00Z,69,0,0,-9000,sample\r\n"               // within the clock's slack
        "2026-12-08T14:30:00Z,99,0,0,-9000,sample\r\n"               // the future
        "2026-11-01T00:00:00Z,99,0,0,-9000,sample\r\n"               // before from
        "2026-12-08T14:20:00Z,6";                                    // cut short
    std::vector<HistoryRecord> records;
    int64_t const from = T - 7 * HISTORY_DAY;
    ParseHistory(text.data(), text.size(), from, T, records);
    ASSERT_EQ(4u, records.size());
    int const percents[] = {80, 75, 70, 69};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(percents[i], records[i].percent) << i;
    EXPECT_EQ(HistoryEvent::Start, records[0].event);
    for (size_t i = 1; i < records.size(); ++i)
        EXPECT_LE(records[i - 1].time, records[i].time);

    records.clear();
    ParseHistory("", 0, from, T, records);
    EXPECT_TRUE(records.empty());
}

}  // namespace
