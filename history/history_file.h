// The battery history file beside the settings: kept to its last 30 days
// at start, a line appended with one write, read back for the graph.
#pragma once

#include <windows.h>

#include <vector>

#include "history/history_lines.h"

enum class HistoryState {
    Off,         // History=0: nothing is written
    Unwritable,  // the folder or the file cannot be written: no history
    On,
};

// The moment now, in seconds since 1970 UTC (the clock of base/system_calls).
int64_t HistoryNow();

// At start: with history on, drops the lines older than 30 days (and all
// but the last 10 MB) by writing a new file and putting it in the old one's
// place in one step, then makes sure a line can be appended. path is the
// file's full path ("" when the folder is unknown).
HistoryState OpenHistory(wchar_t const* path, bool enabled, int64_t now);
HistoryState CurrentHistoryState();

// Appends one line with one write; false when history is not on or the
// write failed (a crash loses at most this line).
bool AppendHistory(HistoryRecord const& record);

// The records from `from` to now, read from the file's last 10 MB.
void ReadHistory(int64_t from, int64_t now, std::vector<HistoryRecord>& out);

// Bytes of the file the program reads at most: its end.
DWORD const HISTORY_READ_LIMIT = 10 * 1024 * 1024;
