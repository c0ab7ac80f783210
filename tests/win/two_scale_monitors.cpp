// Stands in for base/monitor_dpi.cpp where monitors of two scales are wanted and
// Wine gives every monitor one DPI: the screen is two monitors side by side,
// at 96 DPI left of TWO_SCALE_SPLIT and 144 right of it, and a window's DPI
// is that of the monitor holding most of it, as Windows gives a per-monitor
// DPI-aware window (which it then tells by WM_DPICHANGED: the test sends it).
#include <windows.h>

#include "base/monitors.h"
#include "tests/win/two_scale_monitors.h"

UINT DpiOfWindow(HWND window)
{
    RECT r;
    if (window == nullptr || !GetWindowRect(window, &r))
        return TWO_SCALE_LEFT_DPI;
    LONG const left = r.left < TWO_SCALE_SPLIT ? (r.right < TWO_SCALE_SPLIT ? r.right : TWO_SCALE_SPLIT) - r.left : 0;
    LONG const right = r.right > TWO_SCALE_SPLIT ? r.right - (r.left > TWO_SCALE_SPLIT ? r.left : TWO_SCALE_SPLIT) : 0;
    return right > left ? TWO_SCALE_RIGHT_DPI : TWO_SCALE_LEFT_DPI;
}

int SystemMetricAtDpi(int index, UINT dpi)
{
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), 96);
}

int ReadMonitorScales(MonitorScale* monitors, int max)
{
    int const width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    MonitorScale const two[] = {{{0, 0, TWO_SCALE_SPLIT, height}, TWO_SCALE_LEFT_DPI},
                                {{TWO_SCALE_SPLIT, 0, width, height}, TWO_SCALE_RIGHT_DPI}};
    int count = 0;
    for (; count < 2 && count < max; ++count)
        monitors[count] = two[count];
    return count;
}
