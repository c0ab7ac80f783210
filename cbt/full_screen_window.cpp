#include "cbt/full_screen_window.h"

#include "base/desktop_window.h"
#include "cbt/full_screen.h"
#include "cbt/window_shape.h"

bool IsFullScreenShapeOn(HWND window, CarrierWindow const& shape, HMONITOR monitor)
{
    return monitor != nullptr && MonitorFromWindow(window, MONITOR_DEFAULTTONULL) == monitor && IsFullScreen(shape);
}

bool IsFullScreenOn(HWND window, HMONITOR monitor, int captionHeight)
{
    if (window == nullptr || monitor == nullptr || !IsWindowVisible(window) || IsIconic(window) ||
        IsDesktopWindow(window))
        return false;
    CarrierWindow shape;
    ZeroMemory(&shape, sizeof shape);
    ReadWindowShape(window, &shape);
    // Asked in order of cost: the probe sends messages, and only to a window
    // that covers its monitor.
    if (!IsFullScreenWindow(shape.frame, shape.monitor, false))
        return false;
    if (!shape.hasCaption)
        ProbeCaptionOf(window, captionHeight, &shape);
    return IsFullScreenShapeOn(window, shape, monitor);
}
