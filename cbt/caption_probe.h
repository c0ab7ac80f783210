// Asking a window where its caption buttons are: WM_NCHITTEST along the
// middle row of its caption, read by caption_buttons. Windows that draw their
// own captions answer it so over the buttons they draw (snap layouts rely on
// it), where neither the reported button rectangles nor SM_CXSIZE need match.
#pragma once

#include <windows.h>

#include "cbt/caption_buttons.h"

// All the questions of one probe, together, never take longer.
DWORD const CAPTION_PROBE_BUDGET_MS = 50;

// What window answers along row y (screen coordinates) from the right end of
// frame (its window rectangle) leftwards. Never waits on a hung window; a
// window too slow for the budget gives nothing found. An answer is kept for
// the window until its size changes (moving it moves the answer along), and
// a probe cut short is not kept.
CaptionRowReading ProbeCaptionRow(HWND window, RECT const& frame, int y);

// Whether a probe was cut short (a slow window, or a busy machine) since
// this was last asked, so that its nothing-found may not hold a moment later.
bool CaptionProbeCutShort();

// Forgets every kept answer.
void ForgetCaptionProbes();
