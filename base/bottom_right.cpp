#include "base/bottom_right.h"

Point BottomRightPosition(int32_t screenWidth, int32_t screenHeight, int32_t windowWidth, int32_t windowHeight,
                          int32_t captionHeight)
{
    int64_t const margin = static_cast<int64_t>(captionHeight) + 3;
    return Point{Saturate(static_cast<int64_t>(screenWidth) - windowWidth - margin),
                 Saturate(static_cast<int64_t>(screenHeight) - windowHeight - margin)};
}
