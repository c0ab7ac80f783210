// The battery history file's lines: what one says and its text. Pure logic,
// no window system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

wchar_t const HISTORY_FILE_NAME[] = L"Brisvane-history.csv";
char const HISTORY_HEADER[] = "time,percent,ac,charging,rate_mw,event";

enum class HistoryEvent : uint8_t { Sample, Suspend, Resume, Start, Exit };

int32_t const HISTORY_RATE_UNKNOWN = INT32_MIN;  // written as an empty field

// One line: the moment in seconds since 1970-01-01 UTC, the charge, the
// charger and the charging state, the rate in mW (negative while
// discharging) and what happened.
struct HistoryRecord {
    int64_t time;
    uint8_t percent;
    bool ac;
    bool charging;
    int32_t rateMw;
    HistoryEvent event;
};

int64_t const HISTORY_DAY = 24 * 60 * 60;
int64_t const HISTORY_KEPT = 30 * HISTORY_DAY;
// Lines this far past the clock are not believed: another machine's file, or
// a clock that was wrong when they were written.
int64_t const HISTORY_FUTURE_SLACK = 5 * 60;

// The calendar date of a moment (seconds since 1970, any offset applied).
void DateOf(int64_t time, int32_t* year, int32_t* month, int32_t* day);

// "2026-12-08T14:20:05Z" for a moment in seconds; 21 characters with the
// terminator. From 1970 to 9999, else "".
size_t const UTC_TEXT_SIZE = 21;
void FormatUtcTime(int64_t time, char* out);
// The moment such a text names; false for anything but exactly that form
// and a real date.
bool ParseUtcTime(char const* text, size_t length, int64_t* time);

// The line with its "\r\n"; the length written, 0 when it does not fit.
size_t const HISTORY_LINE_SIZE = 64;
size_t FormatHistoryLine(HistoryRecord const& record, char* out, size_t capacity);

// One line without its line break (a trailing '\r' is allowed). False for
// the header, a cut line, junk or values out of range.
bool ParseHistoryLine(char const* line, size_t length, HistoryRecord* record);

// Every line of text that parses and falls in from .. now + the slack, in
// time order (a clock set back wrote some out of order).
void ParseHistory(char const* text, size_t length, int64_t from, int64_t now, std::vector<HistoryRecord>& out);
