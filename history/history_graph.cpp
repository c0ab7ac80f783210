#include "history/history_graph.h"

namespace {

int64_t RangeSeconds(GraphRange range)
{
    return range == GraphRange::Day ? HISTORY_DAY : 7 * HISTORY_DAY;
}

int64_t FloorDiv(int64_t value, int64_t by)
{
    return value >= 0 ? value / by : -((-value + by - 1) / by);
}

bool EndsALine(HistoryEvent event)
{
    return event == HistoryEvent::Suspend || event == HistoryEvent::Exit;
}

void AddPoint(std::vector<GraphLine>& lines, bool charging, Point point, bool newLine)
{
    if (newLine || lines.empty() || lines.back().charging != charging) {
        GraphLine line{charging, {}};
        // A change of colour carries on from the last point of the line before.
        if (!newLine && !lines.empty() && !lines.back().points.empty())
            line.points.push_back(lines.back().points.back());
        lines.push_back(line);
    }
    std::vector<Point>& points = lines.back().points;
    if (!points.empty() && points.back().x == point.x && points.back().y == point.y)
        return;
    points.push_back(point);
}

}  // namespace

GraphSpan SpanEndingAt(GraphRange range, int64_t now)
{
    return GraphSpan{now - RangeSeconds(range), now};
}

int32_t XOfTime(int64_t time, GraphSpan span, Rect plot)
{
    int64_t const length = span.to - span.from;
    if (length <= 0 || time >= span.to)
        return plot.right;
    if (time <= span.from)
        return plot.left;
    int64_t const width = static_cast<int64_t>(plot.right) - plot.left;
    return Saturate(plot.left + (time - span.from) * width / length);
}

int32_t YOfPercent(int32_t percent, Rect plot)
{
    if (percent < 0)
        percent = 0;
    if (percent > 100)
        percent = 100;
    int64_t const height = static_cast<int64_t>(plot.bottom) - plot.top;
    return Saturate(plot.bottom - (percent * height + 50) / 100);
}

std::vector<GraphMark> GraphMarks(GraphRange range, GraphSpan span, int32_t localOffset)
{
    std::vector<GraphMark> marks;
    int64_t const step = range == GraphRange::Day ? 3600 : HISTORY_DAY;
    // The first whole local hour (or local midnight) at or after from.
    int64_t local = FloorDiv(span.from + localOffset + step - 1, step) * step;
    for (; local - localOffset <= span.to; local += step) {
        int32_t const hour = static_cast<int32_t>((local % HISTORY_DAY + HISTORY_DAY) % HISTORY_DAY / 3600);
        bool const labelled = range == GraphRange::Week || hour % 3 == 0;
        GraphMark mark{local - localOffset, hour, 0, 0, labelled};
        int32_t year;
        DateOf(local, &year, &mark.month, &mark.day);
        marks.push_back(mark);
    }
    return marks;
}

std::vector<GraphLine> GraphLines(std::vector<HistoryRecord> const& records, GraphSpan span, Rect plot, int64_t now)
{
    std::vector<GraphLine> lines;
    size_t const count = records.size();
    for (size_t i = 0; i < count; ++i) {
        HistoryRecord const& record = records[i];
        bool const last = i + 1 == count;
        int64_t const until = last ? now : records[i + 1].time;
        // The part of the span this record holds for.
        if (until < span.from || record.time > span.to)
            continue;
        bool const startsLine =
            i == 0 || EndsALine(records[i - 1].event) || record.event == HistoryEvent::Start;
        bool const charging = record.ac || record.charging;
        int32_t const y = YOfPercent(record.percent, plot);
        AddPoint(lines, charging, Point{XOfTime(record.time, span, plot), y}, startsLine);
        if (EndsALine(record.event))
            continue;
        bool const nextStarts = !last && records[i + 1].event == HistoryEvent::Start;
        // Held level until the next record, where the line moves to its percent;
        // the last one to the present.
        if (nextStarts || last)
            AddPoint(lines, charging, Point{XOfTime(until, span, plot), y}, false);
    }
    return lines;
}

std::vector<SleepSpan> FindSleeps(std::vector<HistoryRecord> const& records, int64_t from, int64_t minimum)
{
    std::vector<SleepSpan> sleeps;
    for (size_t i = 0; i + 1 < records.size(); ++i) {
        HistoryRecord const& suspend = records[i];
        HistoryRecord const& resume = records[i + 1];
        if (suspend.event != HistoryEvent::Suspend || resume.event != HistoryEvent::Resume)
            continue;
        if (resume.time - suspend.time < minimum || resume.time <= from)
            continue;
        sleeps.push_back(SleepSpan{suspend.time, resume.time, int32_t(suspend.percent) - int32_t(resume.percent)});
    }
    return sleeps;
}

SleepLength SleepLengthOf(int64_t seconds)
{
    if (seconds < 0)
        seconds = 0;
    if (seconds < 3600)
        return SleepLength{seconds / 60, false};
    return SleepLength{(seconds + 1800) / 3600, true};
}
