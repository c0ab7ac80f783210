#include "app/settings_table.h"

int32_t DefaultPositionX(int32_t screenWidth, int32_t captionHeight, int32_t barWidth)
{
    int64_t const x = static_cast<int64_t>(screenWidth) -
                      (4 * static_cast<int64_t>(captionHeight) + 24) - barWidth;
    if (x > INT32_MAX)
        return INT32_MAX;
    if (x < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(x);
}
