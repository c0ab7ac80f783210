// The Battery details window ("电池信息"): the charge now, each battery's
// facts and the graph of the last day or week. One at a time, opened from
// the tray menu near the tray; it remembers only its size.
#pragma once

#include <windows.h>

#include "history/history_lines.h"

// Opens the window, or brings the open one to the front.
void ShowDetailsWindow(HWND bar);

// A new language: an open window draws its texts again.
void ShowDetailsTextsAgain();

// A line just written to the history: an open window draws it.
void DetailsHistoryGrew(HistoryRecord const& record);

// The window class's name, for whoever looks for the window.
wchar_t const DETAILS_WINDOW_CLASS[] = L"BrisvaneDetails";
