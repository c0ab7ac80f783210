// How a reminder's check box and number in the Options dialog map to its
// level. Pure logic.
#pragma once

#include <cstdint>

// The number a cleared box offers for the high level, where most makers
// advise to stop charging; the low level offers its default.
int32_t const ALERT_HIGH_SUGGESTION = 80;

// The number the dialog opens with: the level, or for an alert that is off
// the suggestion.
int32_t AlertNumberShown(int32_t level, int32_t suggestion);

// The level OK takes: 0 with the box cleared; else the typed number held to
// 1..100, or the number the dialog opened with when nothing usable is typed.
int32_t AlertLevelChosen(bool checked, bool converted, uint32_t typed, int32_t shown);
