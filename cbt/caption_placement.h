// Where the bar sits on a window's caption. Pure arithmetic on rectangles in
// screen coordinates; the library reads them from the window system.
#pragma once

#include <cstdint>

#include "base/rect.h"
#include "cbt/caption_buttons.h"

int32_t const CAPTION_BUTTON_COUNT = 4;  // minimise, maximise, help, close
int32_t const BAR_BUTTON_GAP = 2;        // between the bar and the first caption button

// The caption buttons as the system reports them. Some systems report the
// states but no rectangles; buttonWidth then stands in for each visible one.
struct CaptionButtons {
    Rect rects[CAPTION_BUTTON_COUNT];
    bool visible[CAPTION_BUTTON_COUNT];
    int32_t buttonWidth;
};

struct CarrierWindow {
    Rect frame;       // the visible frame of the window
    Rect monitor;     // the monitor the window is on
    bool hasCaption;  // WS_CAPTION
    Rect titleBar;    // the caption, read only when hasCaption
    CaptionButtons buttons;
    // What the window answered to hit tests along its caption's middle row
    // (for a window without WS_CAPTION, the row half the record's caption
    // height down): where it draws its buttons, whatever the system reports.
    CaptionRowReading row;
    // Where DWM draws the caption buttons, read only where the window itself
    // would not say; empty where DWM did not tell.
    Rect dwmButtons;
    // The caption is DWM's (Windows 10 and later), whose buttons are wider
    // than SM_CXSIZE: their count times buttonWidth tells nothing there.
    bool dwmCaption;
};

struct BarShape {
    int32_t width;
    int32_t height;
    int32_t captionHeight;  // for windows that draw their own caption
    bool ignoreSelfDrawn;   // refuse windows without WS_CAPTION, whatever they answer
};

// The left edge of the leftmost visible caption button, or the title bar's
// right edge when no button is visible.
int32_t CaptionButtonsLeft(Rect const& titleBar, CaptionButtons const& buttons);

// A window that covers its whole monitor and shows no caption on it: neither
// a system caption whose middle row is on the monitor nor a self-drawn one
// (its row found buttons and free caption).
bool IsFullScreen(CarrierWindow const& window);

// The window told where its buttons are: its row or its report.
bool WindowToldButtons(CarrierWindow const& window);

// Something tells where a captioned window's buttons are: its row, its
// report, DWM, or, on a classic caption, their count.
bool CaptionButtonsKnown(CarrierWindow const& window);

// Where the buttons begin: the probed row where it found buttons and free
// caption, else the reported rectangles, else DWM's, else buttonWidth for
// each visible one. The report stands where the row ends at most half a
// button left of it.
int32_t CaptionButtonsLeft(CarrierWindow const& window);

// Computes the bar's rectangle on the window's caption: right-aligned left of
// the caption buttons, vertically centred. A window without WS_CAPTION
// carries only where its row answered caption with buttons beside it, in the
// top captionHeight pixels. False when the window cannot carry the bar (full
// screen, caption too narrow, self-drawn caption refused or not found,
// buttons nowhere known, or a nonsensical size); *bar is then untouched.
bool PlaceBarOnCaption(CarrierWindow const& window, BarShape const& shape, Rect* bar);
