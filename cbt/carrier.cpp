#include "cbt/carrier.h"

#include "base/monitors.h"
#include "base/win32_values.h"
#include "cbt/caption_placement.h"

namespace {

DWORD const EXTENDED_FRAME_BOUNDS = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS
DWORD const CLOAKED = 14;               // DWMWA_CLOAKED
UINT const GET_TITLE_BAR_INFO_EX = 0x033F;  // WM_GETTITLEBARINFOEX
UINT const TITLE_BAR_INFO_EX_TIMEOUT_MS = 50;

typedef HRESULT(WINAPI* DwmGetWindowAttributeFunction)(HWND, DWORD, PVOID, DWORD);

// dwmapi is loaded at run time, once, from the system folder only, so
// systems without it still work.
DwmGetWindowAttributeFunction DwmGetWindowAttributeOnce()
{
    static DwmGetWindowAttributeFunction function;
    static bool tried;
    if (!tried) {
        tried = true;
        wchar_t path[MAX_PATH];
        UINT const length = GetSystemDirectoryW(path, MAX_PATH);
        wchar_t const name[] = L"\\dwmapi.dll";
        if (length > 0 && length + sizeof name / sizeof name[0] <= MAX_PATH) {
            lstrcpyW(path + length, name);
            HMODULE dwm = LoadLibraryW(path);
            if (dwm != nullptr)
                function = reinterpret_cast<DwmGetWindowAttributeFunction>(
                    reinterpret_cast<void*>(GetProcAddress(dwm, "DwmGetWindowAttribute")));
        }
    }
    return function;
}

bool IsCloaked(HWND window)
{
    DwmGetWindowAttributeFunction get = DwmGetWindowAttributeOnce();
    DWORD cloaked = 0;
    return get != nullptr && SUCCEEDED(get(window, CLOAKED, &cloaked, sizeof cloaked)) && cloaked != 0;
}

RECT VisibleFrame(HWND window)
{
    RECT frame{0, 0, 0, 0};
    DwmGetWindowAttributeFunction get = DwmGetWindowAttributeOnce();
    if (get != nullptr && SUCCEEDED(get(window, EXTENDED_FRAME_BOUNDS, &frame, sizeof frame)) &&
        frame.right > frame.left && frame.bottom > frame.top)
        return frame;
    GetWindowRect(window, &frame);
    return frame;
}

// The caption and its buttons. The extended query reports the buttons'
// rectangles; it is a message, so it is only sent without a bound to this
// thread's windows, for at most 50 ms to other programs (a hung carrier
// never hangs the bar), and the plain query (states only) stands in where it
// is not answered.
void ReadCaption(HWND window, CarrierWindow* carrier)
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
    if (info.rcTitleBar.right <= info.rcTitleBar.left) {
        TITLEBARINFO plain;
        ZeroMemory(&plain, sizeof plain);
        plain.cbSize = sizeof plain;
        if (GetTitleBarInfo(window, &plain)) {
            info.rcTitleBar = plain.rcTitleBar;
            CopyMemory(info.rgstate, plain.rgstate, sizeof info.rgstate);
        }
        ZeroMemory(info.rgrect, sizeof info.rgrect);
    }
    carrier->titleBar = ToRect(info.rcTitleBar);
    for (int i = 0; i < CAPTION_BUTTON_COUNT; ++i) {
        carrier->buttons.visible[i] = (info.rgstate[2 + i] & STATE_SYSTEM_INVISIBLE) == 0;
        carrier->buttons.rects[i] = ToRect(info.rgrect[2 + i]);
    }
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
    if (window == nullptr || window == barWindow || window == GetDesktopWindow() || window == GetShellWindow())
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
    if (carrier.hasCaption)
        ReadCaption(window, &carrier);

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
