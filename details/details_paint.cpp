#include "details/details_paint.h"

#include "bar/battery.h"
#include "base/decimal_text.h"
#include "base/text_template.h"
#include "base/ui_resources.h"
#include "res/resource.h"

#include <cwchar>

namespace {

COLORREF const CHARGING_COLOUR = RGB(16, 150, 72);
size_t const TEXT_SIZE = 160;

struct Pen {
    HDC dc;
    int y;           // the next line's top
    int left, right;
    int lineHeight;
};

void Text(HDC dc, int x, int y, wchar_t const* text)
{
    TextOutW(dc, x, y, text, static_cast<int>(std::wcslen(text)));
}

int TextWidth(HDC dc, wchar_t const* text)
{
    SIZE size{};
    GetTextExtentPoint32W(dc, text, static_cast<int>(std::wcslen(text)), &size);
    return size.cx;
}

void Line(Pen& pen, wchar_t const* text)
{
    Text(pen.dc, pen.left, pen.y, text);
    pen.y += pen.lineHeight;
}

void Heading(Pen& pen, DetailsView const& view, UINT id)
{
    WCHAR text[64] = L"";
    LoadUiString(id, text, 64);
    HGDIOBJ const old = SelectObject(pen.dc, view.bold);
    Line(pen, text);
    SelectObject(pen.dc, old);
}

// The tooltip's lines below its title: charge and time, power.
void NowLines(Pen& pen)
{
    WCHAR tip[128] = L"";
    FormatBatteryTipNow(tip, ARRAYSIZE(tip));
    wchar_t* line = std::wcschr(tip, L'\n');
    while (line != nullptr) {
        ++line;
        wchar_t* const next = std::wcschr(line, L'\n');
        if (next != nullptr)
            *next = L'\0';
        Line(pen, line);
        line = next;
    }
}

void BatteryLines(Pen& pen, DetailsView const& view)
{
    WCHAR unknown[32], name[64], capacity[64], health[64];
    UINT const ids[] = {IDS_DETAILS_UNKNOWN, IDS_DETAILS_NAME_LINE, IDS_DETAILS_CAPACITY_LINE,
                        IDS_DETAILS_HEALTH_LINE};
    WCHAR* const texts[] = {unknown, name, capacity, health};
    int const sizes[] = {32, 64, 64, 64};
    for (int i = 0; i < 4; ++i) {
        texts[i][0] = L'\0';
        LoadUiString(ids[i], texts[i], sizes[i]);
    }
    FactTexts const pieces{unknown, name, capacity, health};
    int const count = view.factCount > 0 ? view.factCount : 1;
    for (int i = 0; i < count; ++i) {
        WCHAR lines[3][TEXT_SIZE];
        FormatBatteryFacts(view.factCount > 0 ? &view.facts[i] : nullptr, pieces, lines[0], lines[1], lines[2],
                           TEXT_SIZE);
        for (WCHAR const* line : lines)
            Line(pen, line);
    }
}

void FillBox(HDC dc, RECT const& rect, COLORREF colour)
{
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// "24 小时 | 7 天" at the right of the heading row, the chosen half
// highlighted.
void Switch(HDC dc, DetailsView const& view, int right, int top, int height, DetailsHits* hits)
{
    WCHAR day[32] = L"", week[32] = L"";
    LoadUiString(IDS_DETAILS_DAY, day, 32);
    LoadUiString(IDS_DETAILS_WEEK, week, 32);
    int const pad = ScaleForDpi(8, view.dpi);
    int const weekWidth = TextWidth(dc, week) + 2 * pad, dayWidth = TextWidth(dc, day) + 2 * pad;
    hits->week = RECT{right - weekWidth, top, right, top + height};
    hits->day = RECT{right - weekWidth - dayWidth, top, right - weekWidth, top + height};
    RECT const* const halves[] = {&hits->day, &hits->week};
    WCHAR const* const labels[] = {day, week};
    for (int i = 0; i < 2; ++i) {
        bool const chosen = (i == 0) == (view.range == GraphRange::Day);
        FillBox(dc, *halves[i], GetSysColor(chosen ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(chosen ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
        RECT text = *halves[i];
        DrawTextW(dc, labels[i], -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    FrameRect(dc, &hits->day, GetSysColorBrush(COLOR_BTNSHADOW));
    FrameRect(dc, &hits->week, GetSysColorBrush(COLOR_BTNSHADOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
}

// A short line in the colour, then its name; returns the x after it.
int LegendEntry(HDC dc, DetailsView const& view, int x, int y, int height, COLORREF colour, UINT id)
{
    WCHAR text[32] = L"";
    LoadUiString(id, text, 32);
    int const length = ScaleForDpi(16, view.dpi), thick = ScaleForDpi(3, view.dpi);
    RECT const swatch{x, y + height / 2 - thick / 2, x + length, y + height / 2 - thick / 2 + thick};
    FillBox(dc, swatch, colour);
    x += length + ScaleForDpi(4, view.dpi);
    Text(dc, x, y, text);
    return x + TextWidth(dc, text) + ScaleForDpi(12, view.dpi);
}

void HorizontalRule(HDC dc, int left, int right, int y, COLORREF colour)
{
    RECT const rule{left, y, right, y + 1};
    FillBox(dc, rule, colour);
}

void SleepLabel(SleepSpan const& sleep, WCHAR* out, size_t capacity)
{
    WCHAR slept[48] = L"", hoursText[24] = L"", minutesText[24] = L"";
    LoadUiString(IDS_DETAILS_SLEPT, slept, 48);
    LoadUiString(IDS_DETAILS_HOURS, hoursText, 24);
    LoadUiString(IDS_DETAILS_MINUTES, minutesText, 24);
    SleepLength const length = SleepLengthOf(sleep.to - sleep.from);
    WCHAR count[24], duration[48], used[12];
    FormatDecimal(count, 24, length.count);
    FillTemplate(duration, 48, length.hours ? hoursText : minutesText, {count});
    // A sleep on the charger may end fuller than it began: it used nothing.
    FormatDecimal(used, 12, sleep.used > 0 ? sleep.used : 0);
    FillTemplate(out, capacity, slept, {duration, used});
}

void Graph(HDC dc, DetailsView const& view, RECT const& area)
{
    int const lineHeight = ScaleForDpi(2, view.dpi);
    COLORREF const grid = GetSysColor(COLOR_3DLIGHT), gray = GetSysColor(COLOR_GRAYTEXT);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    int const textHeight = metrics.tmHeight;
    // Above the plot, two rows for the sleeps' labels.
    int const sleepRows = area.top;
    Rect const plot{area.left + TextWidth(dc, L"100%") + ScaleForDpi(6, view.dpi), area.top + 2 * textHeight + textHeight / 2,
                    area.right - ScaleForDpi(2, view.dpi), area.bottom - textHeight - ScaleForDpi(4, view.dpi)};
    if (plot.right - plot.left < 20 || plot.bottom - plot.top < 20)
        return;

    for (int percent = 0; percent <= 100; percent += 25) {
        int const y = YOfPercent(percent, plot);
        HorizontalRule(dc, plot.left, plot.right, y, percent == 0 ? gray : grid);
        if (percent % 50 == 0) {
            WCHAR label[8];
            FillTemplate(label, 8, L"%s%%", {percent == 0 ? L"0" : percent == 50 ? L"50" : L"100"});
            SetTextColor(dc, gray);
            Text(dc, plot.left - ScaleForDpi(4, view.dpi) - TextWidth(dc, label), y - textHeight / 2, label);
        }
    }

    if (view.history == HistoryState::Off) {
        WCHAR off[128] = L"";
        LoadUiString(IDS_DETAILS_HISTORY_OFF, off, 128);
        RECT box{plot.left, plot.top, plot.right, plot.bottom};
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        DrawTextW(dc, off, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        return;
    }

    GraphSpan const span = SpanEndingAt(view.range, view.now);
    SetTextColor(dc, gray);
    int labelEnd = INT32_MIN;
    for (GraphMark const& mark : GraphMarks(view.range, span, view.localOffset)) {
        int const x = XOfTime(mark.time, span, plot);
        RECT const tick{x, plot.top, x + 1, plot.bottom + ScaleForDpi(3, view.dpi)};
        FillBox(dc, tick, mark.labelled ? grid : GetSysColor(COLOR_WINDOW));
        if (!mark.labelled)
            continue;
        WCHAR a[8], b[8], label[16];
        if (view.range == GraphRange::Day) {
            FormatDecimal(a, 8, mark.localHour, 2);
            FillTemplate(label, 16, L"%s:00", {a});
        } else {
            FormatDecimal(a, 8, mark.month);
            FormatDecimal(b, 8, mark.day);
            FillTemplate(label, 16, L"%s/%s", {a, b});
        }
        int const width = TextWidth(dc, label);
        int const left = x - width / 2;
        if (left > labelEnd && left >= area.left && left + width <= area.right) {
            Text(dc, left, plot.bottom + ScaleForDpi(4, view.dpi), label);
            labelEnd = left + width + ScaleForDpi(6, view.dpi);
        }
    }

    // Each sleep of ten minutes or more: its edges dotted from its label
    // down, its length and cost above the plot, on the second row where the
    // first is taken (and left out where both are).
    std::vector<SleepSpan> const sleeps = FindSleeps(*view.records, span.from, MARKED_SLEEP);
    int rowEnds[2] = {INT32_MIN, INT32_MIN};
    for (SleepSpan const& sleep : sleeps) {
        int const from = XOfTime(sleep.from, span, plot), to = XOfTime(sleep.to, span, plot);
        WCHAR label[64];
        SleepLabel(sleep, label, 64);
        int const width = TextWidth(dc, label);
        int left = (from + to) / 2 - width / 2;
        if (left < area.left)
            left = area.left;
        if (left + width > area.right)
            left = area.right - width;
        int top = plot.top;
        for (int row = 0; row < 2; ++row) {
            if (left > rowEnds[row]) {
                top = sleepRows + row * textHeight;
                Text(dc, left, top, label);
                top += textHeight;
                rowEnds[row] = left + width + ScaleForDpi(6, view.dpi);
                break;
            }
        }
        for (int y = top; y < plot.bottom; y += 3) {
            SetPixelV(dc, from, y, gray);
            SetPixelV(dc, to, y, gray);
        }
    }

    COLORREF const battery = GetSysColor(COLOR_HIGHLIGHT);
    HPEN const batteryPen = CreatePen(PS_SOLID, lineHeight, battery);
    HPEN const chargingPen = CreatePen(PS_SOLID, lineHeight, CHARGING_COLOUR);
    HGDIOBJ const oldPen = SelectObject(dc, batteryPen);
    for (GraphLine const& line : GraphLines(*view.records, span, plot, view.now)) {
        SelectObject(dc, line.charging ? chargingPen : batteryPen);
        if (line.points.size() == 1) {
            Point const at = line.points.front();
            RECT const dot{at.x - lineHeight, at.y - lineHeight, at.x + lineHeight + 1, at.y + lineHeight + 1};
            FillBox(dc, dot, line.charging ? CHARGING_COLOUR : battery);
            continue;
        }
        std::vector<POINT> points;
        points.reserve(line.points.size());
        for (Point const& point : line.points)
            points.push_back(POINT{point.x, point.y});
        Polyline(dc, points.data(), static_cast<int>(points.size()));
    }
    SelectObject(dc, oldPen);
    DeleteObject(batteryPen);
    DeleteObject(chargingPen);
}

}  // namespace

int ScaleForDpi(int length, UINT dpi)
{
    return MulDiv(length, static_cast<int>(dpi), 96);
}

void PaintDetails(HDC dc, RECT const& client, DetailsView const& view, DetailsHits* hits)
{
    FillBox(dc, client, GetSysColor(COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ const oldFont = SelectObject(dc, view.font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    int const margin = ScaleForDpi(12, view.dpi), gap = ScaleForDpi(8, view.dpi);
    Pen pen{dc, client.top + margin, client.left + margin, client.right - margin,
            metrics.tmHeight + metrics.tmExternalLeading + ScaleForDpi(2, view.dpi)};

    Heading(pen, view, IDS_DETAILS_NOW);
    NowLines(pen);
    pen.y += gap;
    Heading(pen, view, IDS_DETAILS_BATTERY);
    BatteryLines(pen, view);
    pen.y += gap;

    int const rowTop = pen.y;
    int const switchHeight = pen.lineHeight + ScaleForDpi(4, view.dpi);
    Switch(dc, view, pen.right, rowTop - ScaleForDpi(2, view.dpi), switchHeight, hits);
    Heading(pen, view, IDS_DETAILS_HISTORY);
    SetBkMode(dc, TRANSPARENT);
    int x = pen.left;
    x = LegendEntry(dc, view, x, pen.y, pen.lineHeight, GetSysColor(COLOR_HIGHLIGHT), IDS_DETAILS_ON_BATTERY);
    LegendEntry(dc, view, x, pen.y, pen.lineHeight, CHARGING_COLOUR, IDS_DETAILS_CHARGING);
    pen.y += pen.lineHeight;
    if (view.history == HistoryState::Unwritable) {
        WCHAR line[128] = L"";
        LoadUiString(IDS_DETAILS_NO_HISTORY, line, 128);
        Line(pen, line);
    }
    pen.y += ScaleForDpi(4, view.dpi);
    RECT const area{pen.left, pen.y, pen.right, client.bottom - margin};
    if (area.bottom > area.top)
        Graph(dc, view, area);
    SelectObject(dc, oldFont);
}
