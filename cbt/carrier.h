// Reading a window from the window system to decide whether the bar can ride
// on it, and where.
#pragma once

#include <windows.h>

#include "cbt/shared_window_record.h"

// Nonzero when window can carry the bar described by record; *bar then holds
// the bar's screen rectangle on its caption. Never the bar itself, the
// desktop, the taskbar, tool windows, cloaked, hidden or minimised windows,
// child windows or full-screen windows.
bool CanCarry(HWND window, SharedWindowRecord const& record, RECT* bar);

// The bar the library may move: a window of this process of the bar's class.
// Anyone can write the record, so its handle is checked before use.
bool IsBarWindow(HWND window);

// The record's bar when it passes IsBarWindow, else null.
HWND BarOfRecord(SharedWindowRecord const& record);

// Shown and not minimised: a carrier in this state keeps the bar even while
// another window has the focus.
bool IsShownCarrier(HWND window);
