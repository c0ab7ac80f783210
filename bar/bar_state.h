// The bar's own state: how it looks, how it is laid out, and what it shows.
// Written by start-up and by what changes the bar (the refresh, the caption
// state, a running auto-shutdown); read by the painting.
#pragma once

#include <windows.h>

#include <cstdint>

#include "bar/geometry.h"

// Made at start-up from the caption colours (bar/bar_colours) and the
// program's resources; freed when the bar goes. The colour key is the window
// style's COLOUR_KEY.
struct BarLook {
    HFONT font;
    HBITMAP stateBitmap;  // three 16 x 16 frames: plug, power button, warning
    COLORREF activeCaption;
    COLORREF activeCaptionText;
    COLORREF inactiveCaption;
    COLORREF inactiveCaptionText;
};

struct BarLayout {
    int32_t captionHeight;  // SM_CYCAPTION at the bar's DPI
    int32_t barWidth;       // fill length at 100 percent, at 96 DPI
    int32_t dpi;            // the scale it is laid out for
    BarGeometry geometry;
    FrameOutline outline;
};

struct BarView {
    int32_t percent;     // battery percent, or share of the countdown left
    int32_t powerState;  // POWER_STATE_*
    WCHAR text[16];
    bool captionActive;  // paint in the active-caption colours
};

extern BarLook g_barLook;
extern BarLayout g_barLayout;
extern BarView g_barView;

// The caption colours and the state bitmap; the font comes with the layout.
void CreateBarLook(HINSTANCE instance);
// Deletes the font and the bitmap; safe to call twice.
void DeleteBarLook();

// Every rectangle and the outline from the caption height and the fill
// width at 96 DPI, scaled to dpi and widened for textWidth pixels of text.
void LayOutBar(int32_t captionHeight, int32_t barWidth, int32_t dpi = BASE_DPI, int32_t textWidth = 0,
               int32_t maxWidth = INT32_MAX);
// The layout for the display window is on (the system's DPI for no window):
// its DPI (or dpi, when given), the caption height there, a font for it (the
// old one deleted), the widest bar text in that font, no wider than the
// monitor's work area.
void LayOutBarForDisplay(HWND window, int32_t barWidth, UINT dpi = 0);

// A countdown's time left instead of the battery, over the whole bar.
void ShowCountdown(HWND bar, wchar_t const* timeLeft, int32_t percent);

// The carrier's caption became active or inactive: repaints the frame on a change.
void SetCaptionActive(HWND bar, bool active);
