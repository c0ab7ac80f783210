#include "base/bottom_right.h"

Point BottomRightPosition(Rect const& workArea, int32_t windowWidth, int32_t windowHeight, int32_t captionHeight)
{
    int64_t const margin = static_cast<int64_t>(captionHeight) + 3;
    return Point{Saturate(static_cast<int64_t>(workArea.right) - windowWidth - margin),
                 Saturate(static_cast<int64_t>(workArea.bottom) - windowHeight - margin)};
}
