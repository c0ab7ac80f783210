#include "cbt/carrier.h"

#include "base/desktop_window.h"
#include "base/dwm_attribute.h"
#include "base/monitors.h"
#include "base/win32_values.h"
#include "cbt/caption_placement.h"
#include "cbt/caption_probe.h"

namespace {

DWORD const EXTENDED_FRAME_BOUNDS = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS
DWORD const CLOAKED = 14;               // DWMWA_CLOAKED
UINT const GET_TITLE_BAR_INFO_EX = 0x033F;  // WM_GETTITLEBARINFOEX
UINT const TITLE_BAR_INFO_EX_TIMEOUT_MS = 50;

bool IsCloaked(HWND window)
{
    DWORD cloaked = 0;
    return SUCCEEDED(DwmWindowAttribute(window, CLOAKED, &cloaked, sizeof cloaked)) && cloaked != 0;
}

RECT VisibleFrame(HWND window)
{
    RECT frame{0, 0, 0, 0};
    if (SUCCEEDED(DwmWindowAttribute(window, EXTENDED_FRAME_BOUNDS, &frame, sizeof frame)) &&
        frame.right > frame.left && frame.bottom > frame.top)
        return frame;
    GetWindowRect(window, &frame);
    return frame;
}

// The caption and which of its buttons show, as the system reports them
// (no message: nothing to wait for).
void ReadCaption(HWND window, CarrierWindow* carrier)
{
    TITLEBARINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    if (!GetTitleBarInfo(window, &info))
        return;
    carrier->titleBar = ToRect(info.rcTitleBar);
    for (int i = 0; i < CAPTION_BUTTON_COUNT; ++i)
        carrier->buttons.visible[i] = (info.rgstate[2 + i] & STATE_SYSTEM_INVISIBLE) == 0;
}

// The buttons' rectangles as the window reports them. It is a message, so
// it is only sent without a bound to this thread's windows, for at most
// 50 ms to other programs (a hung carrier never hangs the bar); unanswered,
// the buttons' count stands.
void ReadReportedButtons(HWND window, CarrierWindow* carrier)
{
    TITLEBARINFOEX info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    DWORD_PTR answered = 0;
    bool const ownThread = GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
    if (ownThread)
        answered = SendMessageW(window, GET_TITLE_BAR_INFO_EX, 0, reinterpret_cast<LPARAM>(&info));
    else if (!SendMessageTimeoutW(window, GET_TITLE_BAR_INFO_EX, 0, reinterpret_cast<LPARAM>(&info),
                                  SMTO_ABORTIFHUNG, TITLE_BAR_INFO_EX_TIMEOUT_MS, &answered))
        answered = 0;
    if (info.rcTitleBar.right <= info.rcTitleBar.left)
        return;
    for (int i = 0; i < CAPTION_BUTTON_COUNT; ++i) {
        carrier->buttons.visible[i] = (info.rgstate[2 + i] & STATE_SYSTEM_INVISIBLE) == 0;
        carrier->buttons.rects[i] = ToRect(info.rgrect[2 + i]);
    }
}

// Where the window answers hit tests with its buttons, along the caption's
// middle row (for a caption it draws itself, half the record's caption down):
// what it answers there is what its users can click.
void ProbeButtons(HWND window, SharedWindowRecord const& record, CarrierWindow* carrier)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return;
    Rect const& bar = carrier->titleBar;
    if (carrier->hasCaption && bar.bottom <= bar.top)
        return;
    int const row = carrier->hasCaption ? bar.top + (bar.bottom - bar.top) / 2 : rect.top + record.captionHeight / 2;
    carrier->row = ProbeCaptionRow(window, rect, row);
}

bool IsTaskbar(HWND window)
{
    wchar_t name[16];
    return GetClassNameW(window, name, 16) > 0 && lstrcmpW(name, L"Shell_TrayWnd") == 0;
}

}  // namespace

bool IsBarWindow(HWND window)
{
    DWORD process = 0;
    wchar_t name[16];
    return window != nullptr && IsWindow(window) && GetWindowThreadProcessId(window, &process) != 0 &&
           process == GetCurrentProcessId() && GetClassNameW(window, name, 16) > 0 &&
           lstrcmpW(name, BAR_WINDOW_CLASS) == 0;
}

HWND BarOfRecord(SharedWindowRecord const& record)
{
    HWND const bar = WindowOfHandle(record.barWindow);
    return IsBarWindow(bar) ? bar : nullptr;
}

bool IsShownCarrier(HWND window)
{
    return IsWindow(window) && IsWindowVisible(window) && !IsIconic(window);
}

bool CanCarry(HWND window, SharedWindowRecord const& record, RECT* bar)
{
    HWND const barWindow = WindowOfHandle(record.barWindow);
    if (window == nullptr || window == barWindow || IsDesktopWindow(window))
        return false;
    if (!IsShownCarrier(window))
        return false;
    LONG const style = GetWindowLongW(window, GWL_STYLE);
    LONG const exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    if ((style & WS_CHILD) != 0 || (exStyle & WS_EX_TOOLWINDOW) != 0 || GetAncestor(window, GA_ROOT) != window)
        return false;
    if (IsTaskbar(window) || IsCloaked(window))
        return false;

    CarrierWindow carrier;
    ZeroMemory(&carrier, sizeof carrier);
    carrier.frame = ToRect(VisibleFrame(window));
    MONITORINFO monitor;
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        carrier.monitor = ToRect(monitor.rcMonitor);
    carrier.hasCaption = (style & WS_CAPTION) == WS_CAPTION;
    carrier.buttons.buttonWidth = SystemMetricAtDpi(SM_CXSIZE, DpiOfWindow(window));
    // Asked first the window, then its report, then the buttons' count.
    if (carrier.hasCaption)
        ReadCaption(window, &carrier);
    if (carrier.hasCaption || record.ignoreDUI == 0)
        ProbeButtons(window, record, &carrier);
    if (carrier.hasCaption)
        ReadReportedButtons(window, &carrier);

    BarShape shape;
    shape.width = record.barWidth;
    shape.height = record.barHeight;
    shape.captionHeight = record.captionHeight;
    shape.ignoreSelfDrawn = record.ignoreDUI != 0;
    Rect placed;
    if (!PlaceBarOnCaption(carrier, shape, &placed))
        return false;
    *bar = ToRECT(placed);
    return true;
}
