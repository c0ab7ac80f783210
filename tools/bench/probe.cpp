// The real program's code (start-up, bar window, dialogs) with a hidden
// window that answers the benchmark's questions from inside the process,
// where Wine can count GDI and USER objects and the update region is exact.
#include <windows.h>

#include "app/init.h"
#include "app/message_loop.h"
#include "bar/paint.h"
#include "base/messages.h"
#include "res/resource.h"
#include "harness/stand_ins/gdi_objects.h"
#include "harness/system_stand_in.h"

namespace {

UINT const WM_PROBE_GDI = WM_APP;           // live GDI objects of this process
UINT const WM_PROBE_USER = WM_APP + 1;      // windows, menus and icons of this process
UINT const WM_PROBE_TICK_AREA = WM_APP + 2; // pixels one refresh tick invalidates
UINT const WM_PROBE_PAINT_OBJECTS = WM_APP + 3; // the paint's own count of its live objects
UINT const WM_PROBE_POWER_OFFS = WM_APP + 4;    // power-offs asked for (and not done)

LONG g_powerOffs;

// The bench declines every confirmation; should one time out, nothing is
// switched off, not even the Wine session: linked in place of ExitWindowsEx.
BOOL WINAPI CountPowerOff(UINT, DWORD)
{
    ++g_powerOffs;
    return TRUE;
}

// Wine accepts a bare table index (no generation in the high word) for a
// live handle, so every slot of the handle table can be asked.
LRESULT CountGdiObjects()
{
    LRESULT count = 0;
    for (UINT_PTR index = 1; index < 0x10000; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0)
            ++count;
    return count;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM param)
{
    ++*reinterpret_cast<LRESULT*>(param);
    EnumChildWindows(window, CountWindow, param);
    return TRUE;
}

LRESULT CountUserObjects()
{
    LRESULT count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    for (UINT_PTR index = 0x20; index < 0x10000; ++index) {
        HANDLE const handle = reinterpret_cast<HANDLE>(index);
        if (IsMenu(static_cast<HMENU>(handle))) {
            ++count;
            continue;
        }
        ICONINFO info;
        if (GetIconInfo(static_cast<HICON>(handle), &info)) {
            ++count;
            if (info.hbmColor != nullptr)
                DeleteObject(info.hbmColor);
            if (info.hbmMask != nullptr)
                DeleteObject(info.hbmMask);
        }
    }
    return count;
}

LRESULT TickArea()
{
    HWND bar = g_barWindow;
    ValidateRect(bar, nullptr);
    SendMessageW(bar, WM_TIMER, IDT_REFRESH, 0);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    LRESULT area = 0;
    if (GetUpdateRgn(bar, region, FALSE) > NULLREGION) {
        DWORD const size = GetRegionData(region, 0, nullptr);
        RGNDATA* data = static_cast<RGNDATA*>(HeapAlloc(GetProcessHeap(), 0, size));
        if (data != nullptr && GetRegionData(region, size, data) == size) {
            RECT const* rects = reinterpret_cast<RECT const*>(data->Buffer);
            for (DWORD i = 0; i < data->rdh.nCount; ++i)
                area += (rects[i].right - rects[i].left) * (rects[i].bottom - rects[i].top);
        }
        HeapFree(GetProcessHeap(), 0, data);
    }
    DeleteObject(region);
    return area;
}

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PROBE_GDI:
        return CountGdiObjects();
    case WM_PROBE_USER:
        return CountUserObjects();
    case WM_PROBE_TICK_AREA:
        return TickArea();
    case WM_PROBE_PAINT_OBJECTS:
        return g_paintObjectsAlive;
    case WM_PROBE_POWER_OFFS:
        return g_powerOffs;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

STAND_IN(ExitWindowsEx, 8, CountPowerOff);

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    LoadStringW(instance, IDS_APP_TITLE, g_windowTitle, ARRAYSIZE(g_windowTitle));
    RegisterBarClass(instance);
    if (!InitInstance(instance, showCommand))
        return 1;

    WNDCLASSW wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"BrisvaneProbe";
    RegisterClassW(&wc);
    CreateWindowExW(0, L"BrisvaneProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);

    return RunMessageLoop(LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDA_BRISVANE)));
}
