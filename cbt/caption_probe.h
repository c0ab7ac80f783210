// Asking a window where its caption buttons are: WM_NCHITTEST along the
// middle row of its caption, read by caption_buttons. Windows that draw their
// own captions answer it so over the buttons they draw (snap layouts rely on
// it), where neither the reported button rectangles nor SM_CXSIZE need match.
#pragma once

#include <windows.h>

#include "cbt/caption_buttons.h"
#include "cbt/window_query.h"

// All the questions of one probe, together, never take longer.
DWORD const CAPTION_PROBE_BUDGET_MS = 50;

// What window answers along row y (screen coordinates) from the right end of
// frame (its window rectangle) leftwards. Never waits on a hung window; a
// window too slow for the budget, or one that refuses, gives nothing found,
// and *outcome says which. An answer is kept for the window until its size
// changes (moving it moves the answer along); one cut short or refused is
// not kept.
CaptionRowReading ProbeCaptionRow(HWND window, RECT const& frame, int y, QueryOutcome* outcome);

// Forgets every kept answer.
void ForgetCaptionProbes();
