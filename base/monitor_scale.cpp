#include "base/monitor_scale.h"

int32_t DpiAtPoint(Point point, MonitorScale const* monitors, int32_t count, int32_t otherwise)
{
    for (int32_t i = 0; monitors != nullptr && i < count && i < 16; ++i) {
        Rect const& a = monitors[i].area;
        if (point.x >= a.left && point.x < a.right && point.y >= a.top && point.y < a.bottom && monitors[i].dpi > 0)
            return monitors[i].dpi;
    }
    return otherwise;
}
