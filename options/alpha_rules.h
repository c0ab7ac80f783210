// How the opacity controls of the Options dialog map to Alpha. Pure logic.
#pragma once

#include <cstdint>

// The typed edit accepts 0..100 only, although the trackbar reaches 255: the
// result is the new Alpha, or -1 when the text changes nothing (no number or
// above 100).
int AlphaFromTypedValue(bool converted, uint32_t value);

// The trackbar's position as Alpha; a position outside 0..255 (only a forged
// scroll message can carry one) is clamped.
uint8_t AlphaFromTrackbarPosition(long position);
