// The battery graph's arithmetic: the time and percent scales, the marks
// along the time axis, the lines between gaps and what each sleep cost.
// Pure logic, no window system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/rect.h"
#include "history/history_lines.h"

enum class GraphRange { Day, Week };

// The span the graph shows, ending at now.
struct GraphSpan {
    int64_t from, to;
};
GraphSpan SpanEndingAt(GraphRange range, int64_t now);

// Where a moment and a percentage land in the plot area, clamped to it.
int32_t XOfTime(int64_t time, GraphSpan span, Rect plot);
int32_t YOfPercent(int32_t percent, Rect plot);

// A mark on the time axis: every local hour over a day, every local
// midnight over a week; labelled every third hour, or every day. The
// local offset is seconds east of UTC.
struct GraphMark {
    int64_t time;
    int32_t localHour;  // 0..23
    int32_t month, day;  // the local date
    bool labelled;
};
std::vector<GraphMark> GraphMarks(GraphRange range, GraphSpan span, int32_t localOffset);

// A line of one colour: on battery, or charging (the charger plugged in).
struct GraphLine {
    bool charging;
    std::vector<Point> points;
};

// The lines through the records in span. A suspend or exit ends a line
// (the machine slept or was off until the next record), and so does a start
// without an exit before it (the program ended unseen); the last record
// holds until now when the program runs. Points closer than a pixel to the
// one before are dropped, so a month of records costs a line per column; a
// line of one point is a reading just made (the present, after a start).
std::vector<GraphLine> GraphLines(std::vector<HistoryRecord> const& records, GraphSpan span, Rect plot, int64_t now);

// A sleep: from the suspend line to the resume line after it, and the
// charge it cost (negative when it charged meanwhile).
struct SleepSpan {
    int64_t from, to;
    int32_t used;
};
int64_t const MARKED_SLEEP = 10 * 60;
// Every suspend directly followed by a resume lasting at least minimum
// seconds and ending after from.
std::vector<SleepSpan> FindSleeps(std::vector<HistoryRecord> const& records, int64_t from, int64_t minimum);

// "7 h" or "45 min" for a sleep: whole hours from an hour on (rounded),
// minutes below. Returns the count and whether it is in hours.
struct SleepLength {
    int64_t count;
    bool hours;
};
SleepLength SleepLengthOf(int64_t seconds);
