// Where a window's caption buttons are, read from what it answers to hit
// tests along its caption's middle row. Pure: the library sends the
// WM_NCHITTEST messages, this reads the answers.
#pragma once

#include <cstdint>

// WM_NCHITTEST's answers that matter here, with the window system's values.
int32_t const HIT_CLIENT = 1;
int32_t const HIT_CAPTION = 2;
int32_t const HIT_MIN_BUTTON = 8;
int32_t const HIT_MAX_BUTTON = 9;
int32_t const HIT_CLOSE = 20;
int32_t const HIT_HELP = 21;

// One answer at column x of the row (screen coordinates).
struct HitSample {
    int32_t x;
    int32_t answer;
};

// More samples than this are not read.
int32_t const CAPTION_ROW_MAX_SAMPLES = 512;

struct CaptionRowReading {
    bool buttonsFound;    // minimise, maximise, close or help answered
    bool answersCaption;  // some free caption was found left of them
    // Where the bar must end (exclusive): just right of the first free
    // caption sample left of the buttons and of anything the window keeps
    // between them and the free caption. Valid when answersCaption.
    int32_t barRight;
    // The leftmost sample that belongs to the buttons or what lies beside
    // them; the true edge lies between it and barRight - 1.
    int32_t blockedLeft;
};

// Reads samples (any order; at most CAPTION_ROW_MAX_SAMPLES are read) from the
// right: answers that are neither client, caption nor a button at the right
// end are the window's border; then buttons and client runs block the
// caption up to the first free caption. Free caption between two blocking
// samples at most joinGap columns apart still blocks (a gap between two
// buttons; a probe with coarse steps sees it one or two steps wide).
CaptionRowReading ReadCaptionRow(HitSample const* samples, int32_t count, int32_t joinGap);
