// The refresh intervals the Options dialog offers. Pure logic, no window system.
#pragma once

#include <cstdint>

int const INTERVAL_CHOICE_COUNT = 7;

// Seconds of each entry of the interval box, in the box's order.
extern int32_t const INTERVAL_CHOICES[INTERVAL_CHOICE_COUNT];

// The entry whose value in milliseconds is the interval, or -1 when none is.
int IntervalChoiceIndex(int32_t intervalMs);

// The interval, in milliseconds, that OK takes from the box's selection. With
// no valid selection the dialog keeps the interval it was opened with.
int32_t IntervalForSelection(int selection, int32_t openedWithMs);
