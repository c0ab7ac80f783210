// The bar's own state: how it looks, how it is laid out, and what it shows.
// Written by start-up and by what changes the bar (the refresh, the caption
// state, a running auto-shutdown); read by the painting.
#pragma once

#include <windows.h>

#include <cstdint>

#include "bar/geometry.h"

// Made at start-up from the system's caption colours and the program's
// resources; freed when the bar goes. The colour key is the window style's
// COLOUR_KEY.
struct BarLook {
    HFONT font;
    HBITMAP stateBitmap;  // three 16 x 16 frames: plug, power button, warning
    COLORREF activeCaption;
    COLORREF activeCaptionText;
    COLORREF inactiveCaption;
    COLORREF inactiveCaptionText;
};

struct BarLayout {
    int32_t captionHeight;  // SM_CYCAPTION at start-up
    int32_t barWidth;       // fill length at 100 percent
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

// The font for a caption height, the state bitmap and the caption colours.
void CreateBarLook(HINSTANCE instance, int32_t captionHeight);
// Deletes the font and the bitmap; safe to call twice.
void DeleteBarLook();

// Every rectangle and the outline from the caption height and the fill width.
void LayOutBar(int32_t captionHeight, int32_t barWidth);

// The carrier's caption became active or inactive: repaints the frame on a change.
void SetCaptionActive(HWND bar, bool active);
