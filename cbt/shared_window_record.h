// The record the bar publishes for CBT.dll: five 32-bit little-endian values
// at the start of a 256-byte named section. Shared by the program and the
// library; no window system.
#pragma once

#include <cstdint>

#define SHARED_WINDOW_RECORD_NAME L"SM_Brisvane_hwnds_2012"
// The class of the bar window, which the program registers: the library
// moves no window of another.
#define BAR_WINDOW_CLASS L"BRISVANE"

uint32_t const SHARED_WINDOW_RECORD_SIZE = 256;

struct SharedWindowRecord {
    uint32_t barWindow;      // the bar's HWND (handles are 32-bit values)
    int32_t barWidth;        // BarWidth + 25 at 96 DPI
    int32_t barHeight;       // caption height - 8
    int32_t captionHeight;   // SM_CYCAPTION at the bar's DPI; rewritten when it changes
    int32_t ignoreDUI;       // nonzero: leave windows that draw their own caption alone
};

static_assert(sizeof(SharedWindowRecord) == 20, "the record layout is fixed");
