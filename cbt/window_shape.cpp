#include "cbt/window_shape.h"

#include "base/dwm_attribute.h"
#include "base/win32_values.h"
#include "cbt/caption_probe.h"

namespace {

DWORD const EXTENDED_FRAME_BOUNDS = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS

RECT VisibleFrame(HWND window)
{
    RECT frame{0, 0, 0, 0};
    if (SUCCEEDED(DwmWindowAttribute(window, EXTENDED_FRAME_BOUNDS, &frame, sizeof frame)) &&
        frame.right > frame.left && frame.bottom > frame.top)
        return frame;
    GetWindowRect(window, &frame);
    return frame;
}

}  // namespace

void ReadWindowShape(HWND window, CarrierWindow* shape)
{
    shape->frame = ToRect(VisibleFrame(window));
    MONITORINFO monitor;
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        shape->monitor = ToRect(monitor.rcMonitor);
    shape->hasCaption = (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    if (!shape->hasCaption)
        return;
    TITLEBARINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    if (!GetTitleBarInfo(window, &info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0)
        return;
    shape->titleBar = ToRect(info.rcTitleBar);
    for (int i = 0; i < CAPTION_BUTTON_COUNT; ++i)
        shape->buttons.visible[i] = (info.rgstate[2 + i] & STATE_SYSTEM_INVISIBLE) == 0;
}

// What the window answers there is what its users can click.
QueryOutcome ProbeCaptionOf(HWND window, int captionHeight, CarrierWindow* shape)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return QueryOutcome::Refused;
    Rect const& bar = shape->titleBar;
    if (shape->hasCaption && bar.bottom <= bar.top)
        return QueryOutcome::Answered;
    int const top = rect.top > shape->monitor.top ? rect.top : shape->monitor.top;
    int const row = shape->hasCaption ? bar.top + (bar.bottom - bar.top) / 2 : top + captionHeight / 2;
    QueryOutcome outcome;
    shape->row = ProbeCaptionRow(window, rect, row, &outcome);
    return outcome;
}
