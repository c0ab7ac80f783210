// Which colours the bar paints in: the caption colour and the caption text
// colour, chosen from what the system says about its captions. Pure; colours
// are COLORREF values (0x00BBGGRR).
#pragma once

#include <cstdint>

struct CaptionColours {
    uint32_t caption;
    uint32_t text;
};

// What the system says, read by the bar (bar/colour_facts).
struct ColourFacts {
    bool windows10OrLater;  // captions drawn by DWM, the classic colours unused
    bool highContrast;
    CaptionColours classicActive;    // GetSysColor's active caption and its text
    CaptionColours classicInactive;  // and the inactive ones
    bool colourPrevalence;           // the accent colour on active captions
    uint32_t accent;
    bool darkMode;        // of the window whose caption it is
    bool screenKnown;     // a colour read from the screen beside the bar
    bool screenActive;    // the caption's state when it was read
    uint32_t screen;
};

// DWM's captions where nothing else tells.
uint32_t const LIGHT_CAPTION = 0x00FFFFFF;
uint32_t const DARK_ACTIVE_CAPTION = 0x00202020;
uint32_t const DARK_INACTIVE_CAPTION = 0x002B2B2B;

// Classic captions (Windows 7 and 8, classic and high-contrast themes): the
// system's colours as they are. Windows 10 and later: the colour read from
// the screen for the state it was read in, else the accent colour on an active caption with colour
// prevalence, else dark or white by the window's mode; the text black or
// white, whichever contrasts more.
CaptionColours ChooseCaptionColours(ColourFacts const& facts, bool active);

// Black or white, whichever contrasts more with background.
uint32_t ContrastingText(uint32_t background);

// The contrast ratio of two colours by their relative luminance, 1 to 21.
double ContrastRatio(uint32_t a, uint32_t b);

// The caption's own colour among pixels read beside the bar, where a few
// may be title text or a border and a gradient caption shades from one end
// to the other: each channel's median, when more than half of the samples
// lie within CAPTION_COLOUR_TOLERANCE of it in every channel; false when
// they do not (the bar is not on a caption of one colour). At most
// CAPTION_COLOUR_MAX_SAMPLES are read.
int32_t const CAPTION_COLOUR_MAX_SAMPLES = 256;
uint32_t const CAPTION_COLOUR_TOLERANCE = 12;
bool TypicalColour(uint32_t const* samples, int32_t count, uint32_t* colour);
