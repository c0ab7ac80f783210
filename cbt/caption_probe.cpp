#include "cbt/caption_probe.h"

namespace {

static_assert(HIT_CLIENT == HTCLIENT && HIT_CAPTION == HTCAPTION && HIT_MIN_BUTTON == HTMINBUTTON &&
                  HIT_MAX_BUTTON == HTMAXBUTTON && HIT_CLOSE == HTCLOSE && HIT_HELP == HTHELP,
              "the pure reading uses the window system's answers");

// Coarse steps find the buttons' side of the caption; halving the last step
// then finds the edge to the pixel.
int const PROBE_STEP = 8;
int const JOIN_GAP = 2 * PROBE_STEP + 8;
int const MAX_COARSE_SAMPLES = 96;  // 768 pixels from the right end

struct KeptProbe {
    HWND window;
    LONG width, height, row;  // the window's size, the row from its top
    CaptionRowReading reading;  // columns from the window's right edge
};

KeptProbe g_kept[8];
int g_nextKept;

struct Clock {
    LARGE_INTEGER start, frequency;
};

DWORD ElapsedMs(Clock const& clock)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<DWORD>((now.QuadPart - clock.start.QuadPart) * 1000 / clock.frequency.QuadPart);
}

QueryOutcome Ask(HWND window, int x, int y, Clock const& clock, HitSample* sample)
{
    DWORD const elapsed = ElapsedMs(clock);
    if (elapsed >= CAPTION_PROBE_BUDGET_MS)
        return QueryOutcome::CutShort;
    DWORD_PTR answer = 0;
    LPARAM const point = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
    QueryOutcome const outcome = AskWindow(window, WM_NCHITTEST, 0, point, CAPTION_PROBE_BUDGET_MS - elapsed, &answer);
    if (outcome == QueryOutcome::Answered)
        *sample = HitSample{x, static_cast<int32_t>(static_cast<LRESULT>(answer))};
    return outcome;
}

CaptionRowReading const NOTHING_FOUND{false, false, 0, 0};

// *outcome: Answered when every question was answered in time.
CaptionRowReading Probe(HWND window, RECT const& frame, int y, QueryOutcome* outcome)
{
    Clock clock;
    QueryPerformanceFrequency(&clock.frequency);
    QueryPerformanceCounter(&clock.start);
    HitSample samples[MAX_COARSE_SAMPLES + 32];
    int count = 0;
    int blocked = frame.right;  // the leftmost column seen that is not free caption
    for (int x = frame.right - 1; x >= frame.left && count < MAX_COARSE_SAMPLES; x -= PROBE_STEP) {
        *outcome = Ask(window, x, y, clock, &samples[count]);
        if (*outcome != QueryOutcome::Answered)
            return NOTHING_FOUND;
        if (samples[count++].answer != HIT_CAPTION)
            blocked = x;
        else if (blocked - x > JOIN_GAP)
            break;  // free caption, wider than any gap between buttons
    }
    *outcome = QueryOutcome::Answered;
    CaptionRowReading reading = ReadCaptionRow(samples, count, JOIN_GAP);
    if (!reading.answersCaption)
        return reading;
    int free = reading.barRight - 1;
    blocked = reading.blockedLeft;
    while (blocked - free > 1 && count < MAX_COARSE_SAMPLES + 32) {
        int const middle = free + (blocked - free) / 2;
        *outcome = Ask(window, middle, y, clock, &samples[count]);
        if (*outcome != QueryOutcome::Answered)
            return NOTHING_FOUND;
        if (samples[count++].answer == HIT_CAPTION)
            free = middle;
        else
            blocked = middle;
    }
    return ReadCaptionRow(samples, count, JOIN_GAP);
}

}  // namespace

CaptionRowReading ProbeCaptionRow(HWND window, RECT const& frame, int y, QueryOutcome* outcome)
{
    *outcome = QueryOutcome::Answered;
    LONG const width = frame.right - frame.left, height = frame.bottom - frame.top, row = y - frame.top;
    for (KeptProbe const& kept : g_kept) {
        if (kept.window == window && kept.width == width && kept.height == height && kept.row == row) {
            CaptionRowReading reading = kept.reading;
            reading.barRight += frame.right;
            reading.blockedLeft += frame.right;
            return reading;
        }
    }
    CaptionRowReading const reading = Probe(window, frame, y, outcome);
    if (*outcome != QueryOutcome::Answered)
        return reading;  // asked again next time
    KeptProbe& kept = g_kept[g_nextKept];
    g_nextKept = (g_nextKept + 1) % static_cast<int>(sizeof g_kept / sizeof g_kept[0]);
    kept = KeptProbe{window, width, height, row, reading};
    kept.reading.barRight -= frame.right;
    kept.reading.blockedLeft -= frame.right;
    return reading;
}

void ForgetCaptionProbes()
{
    ZeroMemory(g_kept, sizeof g_kept);
    g_nextKept = 0;
}
