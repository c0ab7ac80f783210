// The DPI half of base/monitors.h, apart so that a test can put monitors of
// other scales in its place.
#include "base/monitors.h"

#include "base/system_library.h"

namespace {

typedef UINT(WINAPI* GetDpiForWindowFunction)(HWND);
typedef UINT(WINAPI* GetDpiForSystemFunction)();
typedef int(WINAPI* GetSystemMetricsForDpiFunction)(int, UINT);
typedef HRESULT(WINAPI* GetDpiForMonitorFunction)(HMONITOR, int, UINT*, UINT*);

// Windows 10 functions, looked up at run time so older systems still start;
// looked up once each. user32 is loaded in every process with a window.
FARPROC User32Function(char const* name)
{
    return SystemLibraryFunction(L"user32.dll", name);
}

struct MonitorList {
    MonitorScale* monitors;
    int max, count;
    GetDpiForMonitorFunction dpiForMonitor;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT area, LPARAM data)
{
    MonitorList* list = reinterpret_cast<MonitorList*>(data);
    if (list->count >= list->max)
        return FALSE;
    UINT dpiX = 0, dpiY = 0;
    // MDT_EFFECTIVE_DPI (0): the scale the user chose for that monitor.
    if (list->dpiForMonitor == nullptr || FAILED(list->dpiForMonitor(monitor, 0, &dpiX, &dpiY)) || dpiX == 0)
        dpiX = DpiOfWindow(nullptr);
    list->monitors[list->count++] =
        MonitorScale{Rect{area->left, area->top, area->right, area->bottom}, static_cast<int32_t>(dpiX)};
    return TRUE;
}

}  // namespace

UINT DpiOfWindow(HWND window)
{
    static GetDpiForWindowFunction const forWindow =
        reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(User32Function("GetDpiForWindow")));
    static GetDpiForSystemFunction const forSystem =
        reinterpret_cast<GetDpiForSystemFunction>(reinterpret_cast<void*>(User32Function("GetDpiForSystem")));
    UINT dpi = 0;
    if (window != nullptr && forWindow != nullptr)
        dpi = forWindow(window);
    if (dpi == 0 && forSystem != nullptr)
        dpi = forSystem();
    if (dpi == 0) {
        HDC screen = GetDC(nullptr);
        if (screen != nullptr) {
            dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
            ReleaseDC(nullptr, screen);
        }
    }
    return dpi != 0 ? dpi : 96;
}

int SystemMetricAtDpi(int index, UINT dpi)
{
    static GetSystemMetricsForDpiFunction const forDpi = reinterpret_cast<GetSystemMetricsForDpiFunction>(
        reinterpret_cast<void*>(User32Function("GetSystemMetricsForDpi")));
    return forDpi != nullptr ? forDpi(index, dpi) : GetSystemMetrics(index);
}

int ReadMonitorScales(MonitorScale* monitors, int max)
{
    // shcore is Windows 8.1's.
    static GetDpiForMonitorFunction dpiForMonitor;
    static bool tried;
    if (!tried) {
        tried = true;
        dpiForMonitor = reinterpret_cast<GetDpiForMonitorFunction>(
            reinterpret_cast<void*>(SystemLibraryFunction(L"shcore.dll", "GetDpiForMonitor")));
    }
    MonitorList list{monitors, max, 0, dpiForMonitor};
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
    return list.count;
}
