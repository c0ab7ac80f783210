// Reading a window from the window system to decide whether the bar can ride
// on it, and where.
#pragma once

#include <windows.h>

#include "cbt/shared_window_record.h"

enum class Carry {
    Yes,
    No,
    AskAgain,  // not now, but only because the window was too slow to answer
};

// What one reading of a window says.
struct CarryAnswer {
    Carry carry;
    RECT bar;         // Yes: the bar's screen rectangle on the window's caption
    bool fullScreen;  // the window is full screen on the bar's monitor (IsFullScreenShapeOn)
};

// Whether window can carry the bar described by record, the bar being on
// barMonitor. Never the bar itself, the desktop, the taskbar, tool windows,
// cloaked, hidden or minimised windows, child windows or full-screen
// windows; a window without WS_CAPTION only with IgnoreDUI clear and where it
// answers hit tests with a caption and buttons; a DWM caption only where its
// buttons are known.
CarryAnswer CanCarry(HWND window, SharedWindowRecord const& record, HMONITOR barMonitor);

// The bar the library may move: a window of this process of the bar's class.
// Anyone can write the record, so its handle is checked before use.
bool IsBarWindow(HWND window);

// The record's bar when it passes IsBarWindow, else null.
HWND BarOfRecord(SharedWindowRecord const& record);

// Shown and not minimised: a carrier in this state keeps the bar even while
// another window has the focus.
bool IsShownCarrier(HWND window);
