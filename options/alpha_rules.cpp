#include "options/alpha_rules.h"

int AlphaFromTypedValue(bool converted, uint32_t value)
{
    if (!converted || value > 100)
        return -1;
    return static_cast<int>(value);
}

uint8_t AlphaFromTrackbarPosition(long position)
{
    if (position < 0)
        return 0;
    if (position > 255)
        return 255;
    return static_cast<uint8_t>(position);
}
