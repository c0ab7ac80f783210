// Drawing the Battery details window: its lines of text, the switch between
// a day and a week and the graph of the charge, with GDI at the window's
// DPI in the system's window colours.
#pragma once

#include <windows.h>

#include <vector>

#include "details/battery_facts.h"
#include "history/history_file.h"
#include "history/history_graph.h"

// What the window shows; the window owns it.
struct DetailsView {
    GraphRange range;
    std::vector<HistoryRecord> const* records;
    BatteryFacts const* facts;
    int factCount;
    HistoryState history;
    int64_t now;          // seconds since 1970 UTC
    int32_t localOffset;  // seconds east of UTC
    UINT dpi;
    HFONT font;
    HFONT bold;
};

// Where the switch's two halves were drawn, for the clicks.
struct DetailsHits {
    RECT day, week;
};

// Draws the whole client area into dc.
void PaintDetails(HDC dc, RECT const& client, DetailsView const& view, DetailsHits* hits);

// Device pixels of a length given at 96 DPI.
int ScaleForDpi(int length, UINT dpi);
