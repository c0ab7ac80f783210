#include "cbt/full_screen_window.h"

#include "base/desktop_window.h"
#include "base/win32_values.h"
#include "cbt/caption_probe.h"
#include "cbt/full_screen.h"

namespace {

bool SystemCaptionOn(HWND window, RECT const& monitor)
{
    if ((GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION)
        return false;
    TITLEBARINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    if (!GetTitleBarInfo(window, &info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0)
        return false;
    // A maximised window's frame, and with it the caption's top edge, may
    // reach past the monitor; a caption moved off it lies wholly above.
    RECT const& bar = info.rcTitleBar;
    return bar.right > bar.left && bar.bottom > bar.top && bar.top + (bar.bottom - bar.top) / 2 >= monitor.top;
}

bool SelfDrawnCaptionOn(HWND window, RECT const& frame, RECT const& monitor)
{
    int const top = frame.top > monitor.top ? frame.top : monitor.top;
    CaptionRowReading const row = ProbeCaptionRow(window, frame, top + GetSystemMetrics(SM_CYCAPTION) / 2);
    return row.buttonsFound && row.answersCaption;
}

}  // namespace

bool IsFullScreenOn(HWND window, HMONITOR monitor)
{
    if (window == nullptr || monitor == nullptr || !IsWindowVisible(window) || IsIconic(window) ||
        IsDesktopWindow(window))
        return false;
    if (MonitorFromWindow(window, MONITOR_DEFAULTTONULL) != monitor)
        return false;
    MONITORINFO info;
    info.cbSize = sizeof info;
    RECT frame;
    if (!GetMonitorInfoW(monitor, &info) || !GetWindowRect(window, &frame))
        return false;
    // Asked in order of cost: the probe sends messages, and only to a window
    // that covers the monitor.
    if (!IsFullScreenWindow(ToRect(frame), ToRect(info.rcMonitor), false))
        return false;
    return !SystemCaptionOn(window, info.rcMonitor) && !SelfDrawnCaptionOn(window, frame, info.rcMonitor);
}
