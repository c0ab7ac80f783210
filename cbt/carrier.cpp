#include "cbt/carrier.h"

#include "base/desktop_window.h"
#include "base/dwm_attribute.h"
#include "base/monitors.h"
#include "base/win32_values.h"
#include "base/windows_version.h"
#include "cbt/full_screen.h"
#include "cbt/full_screen_window.h"
#include "cbt/window_shape.h"

namespace {

DWORD const CAPTION_BUTTON_BOUNDS = 5;  // DWMWA_CAPTION_BUTTON_BOUNDS
DWORD const CLOAKED = 14;               // DWMWA_CLOAKED
UINT const GET_TITLE_BAR_INFO_EX = 0x033F;  // WM_GETTITLEBARINFOEX
UINT const TITLE_BAR_INFO_EX_TIMEOUT_MS = 50;

bool IsCloaked(HWND window)
{
    DWORD cloaked = 0;
    return SUCCEEDED(DwmWindowAttribute(window, CLOAKED, &cloaked, sizeof cloaked)) && cloaked != 0;
}

// The buttons' rectangles as the window reports them. It is a message: at
// most 50 ms to another program (a hung carrier never hangs the bar).
QueryOutcome ReadReportedButtons(HWND window, CarrierWindow* carrier)
{
    TITLEBARINFOEX info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    DWORD_PTR answered = 0;
    QueryOutcome const outcome = AskWindow(window, GET_TITLE_BAR_INFO_EX, 0, reinterpret_cast<LPARAM>(&info),
                                           TITLE_BAR_INFO_EX_TIMEOUT_MS, &answered);
    if (outcome != QueryOutcome::Answered || info.rcTitleBar.right <= info.rcTitleBar.left)
        return outcome;
    for (int i = 0; i < CAPTION_BUTTON_COUNT; ++i) {
        carrier->buttons.visible[i] = (info.rgstate[2 + i] & STATE_SYSTEM_INVISIBLE) == 0;
        carrier->buttons.rects[i] = ToRect(info.rgrect[2 + i]);
    }
    return outcome;
}

// Where DWM draws the buttons, relative to the window's rectangle; nothing
// where it does not say or says something that does not fit the window.
void ReadDwmButtons(HWND window, CarrierWindow* carrier)
{
    RECT bounds{0, 0, 0, 0}, rect;
    if (FAILED(DwmWindowAttribute(window, CAPTION_BUTTON_BOUNDS, &bounds, sizeof bounds)) ||
        !GetWindowRect(window, &rect) || bounds.right <= bounds.left || bounds.bottom <= bounds.top ||
        bounds.left < 0 || bounds.right > rect.right - rect.left)
        return;
    carrier->dwmButtons = Rect{rect.left + bounds.left, rect.top + bounds.top, rect.left + bounds.right,
                               rect.top + bounds.bottom};
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

CarryAnswer CanCarry(HWND window, SharedWindowRecord const& record, HMONITOR barMonitor)
{
    CarryAnswer answer{Carry::No, RECT{0, 0, 0, 0}, false};
    HWND const barWindow = WindowOfHandle(record.barWindow);
    if (window == nullptr || window == barWindow || IsDesktopWindow(window) || !IsShownCarrier(window))
        return answer;
    LONG const style = GetWindowLongW(window, GWL_STYLE);
    if ((style & WS_CHILD) != 0 || GetAncestor(window, GA_ROOT) != window || IsTaskbar(window) || IsCloaked(window))
        return answer;

    CarrierWindow carrier;
    ZeroMemory(&carrier, sizeof carrier);
    ReadWindowShape(window, &carrier);
    // Asked first the window, then its report, then DWM, then the buttons'
    // count; a window without a system caption only where it may carry or
    // may be full screen.
    QueryOutcome probed = QueryOutcome::Answered, reported = QueryOutcome::Answered;
    if (carrier.hasCaption || record.ignoreDUI == 0 || IsFullScreenWindow(carrier.frame, carrier.monitor, false))
        probed = ProbeCaptionOf(window, record.captionHeight, &carrier);
    answer.fullScreen = IsFullScreenShapeOn(window, carrier, barMonitor);
    if ((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0)
        return answer;
    carrier.buttons.buttonWidth = SystemMetricAtDpi(SM_CXSIZE, DpiOfWindow(window));
    carrier.dwmCaption = WindowsMajorVersion() >= 10;
    if (carrier.hasCaption)
        reported = ReadReportedButtons(window, &carrier);
    bool const cutShort = probed == QueryOutcome::CutShort || reported == QueryOutcome::CutShort;
    // A window that would not say (an elevated one refuses this program's
    // messages): DWM's buttons. One too slow to say is asked again instead:
    // it may draw its own buttons elsewhere.
    if (carrier.hasCaption && !cutShort && !WindowToldButtons(carrier))
        ReadDwmButtons(window, &carrier);

    BarShape shape;
    shape.width = record.barWidth;
    shape.height = record.barHeight;
    shape.captionHeight = record.captionHeight;
    shape.ignoreSelfDrawn = record.ignoreDUI != 0;
    Rect placed;
    if (PlaceBarOnCaption(carrier, shape, &placed)) {
        answer.carry = Carry::Yes;
        answer.bar = ToRECT(placed);
    } else if (cutShort) {
        answer.carry = Carry::AskAgain;
    }
    return answer;
}
