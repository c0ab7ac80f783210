#include "app/bar_window.h"

#include "app/messages.h"
#include "app/settings.h"
#include "app/state.h"
#include "bar/battery.h"
#include "bar/paint.h"
#include "hook/host64.h"
#include "options/apply_options.h"
#include "res/resource.h"
#include "tray/about_box.h"
#include "shutdown/countdown.h"
#include "tray/tray_icon.h"
#include "tray/tray_menu.h"

namespace {

RECT ToRECT(Rect const& r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}

void OnCreate(HWND window)
{
    g_outline = BuildFrameOutline(g_geometry.frame);
    SetTimer(window, IDT_REFRESH, static_cast<UINT>(g_settings.interval), nullptr);
}

// Repaints only the strip whose content changed: the icon when PowerState
// changed, the fill (and so the text) when the percent changed.
void OnRefreshTick(HWND window)
{
    LONG const oldPercent = g_settings.percent;
    LONG const oldPowerState = g_settings.powerState;
    if (SampleBattery() == 0)
        KillTimer(window, IDT_REFRESH);

    RECT dirty;
    SetRectEmpty(&dirty);
    if (g_settings.powerState != oldPowerState) {
        RECT const icon = ToRECT(g_geometry.icon);
        UnionRect(&dirty, &dirty, &icon);
    }
    if (g_settings.percent != oldPercent) {
        RECT const fill = ToRECT(g_geometry.fill);
        UnionRect(&dirty, &dirty, &fill);
    }
    if (IsRectEmpty(&dirty))
        return;
    dirty.right += 1;
    dirty.bottom += 1;
    InvalidateRect(window, &dirty, FALSE);
}

// A plugged or pulled charger, or a machine waking up, is shown at once
// instead of at the next tick. A restart of IDT_REFRESH brings the refresh
// back if a missing reading had stopped it; the countdown owns the bar while
// an auto-shutdown runs.
void OnPowerBroadcast(HWND window, WPARAM event)
{
    if (event != PBT_APMPOWERSTATUSCHANGE && event != PBT_APMRESUMEAUTOMATIC && event != PBT_APMRESUMESUSPEND)
        return;
    if (g_settings.shutdownActive != 0)
        return;
    SetTimer(window, IDT_REFRESH, static_cast<UINT>(g_settings.interval), nullptr);
    OnRefreshTick(window);
}

void OnCaptionState(HWND window, WPARAM active)
{
    if (static_cast<LONG>(active) == g_settings.captionActive)
        return;
    g_settings.captionActive = static_cast<LONG>(active);
    RECT const frame = ToRECT(g_geometry.frame);
    InvalidateRect(window, &frame, FALSE);
}

void OnDestroy(HWND window)
{
    SaveSettings(window);
    if (g_settings.barFont != nullptr) {
        DeleteObject(g_settings.barFont);
        g_settings.barFont = nullptr;
    }
    if (g_settings.stateBitmap != nullptr) {
        DeleteObject(g_settings.stateBitmap);
        g_settings.stateBitmap = nullptr;
    }
    RemoveTrayIcon(window);
    StopHost64();
    PostQuitMessage(0);
}

// Windows may end the process after this without a WM_DESTROY, so save now;
// SaveSettings writes only once, so the teardown that may follow does not.
void OnEndSession(HWND window, WPARAM ending)
{
    if (ending)
        SaveSettings(window);
}

}  // namespace

LRESULT CALLBACK BarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers the whole client area
    case WM_NCHITTEST:
        return HTCAPTION;  // drag the floating bar from anywhere
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDM_ABOUT:
            ShowAboutBox(window);
            return 0;
        case IDM_EXIT:
            DestroyWindow(window);
            return 0;
        case IDM_OPTIONS:
            return ApplyOptions(window);
        case IDM_AUTOSHUTDOWN:
            OnAutoShutdownCommand(window);
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam == IDT_REFRESH)
            OnRefreshTick(window);
        else if (wParam == IDT_SHUTDOWN)
            OnShutdownTick(window);
        return 1;
    case WM_CAPTIONSTATE:
        OnCaptionState(window, wParam);
        return 0;
    case WM_ENDSESSION:
        OnEndSession(window, wParam);
        return 0;
    case WM_TRAYNOTIFY:
        return OnTrayNotify(window, lParam);
    case WM_POWERBROADCAST:
        OnPowerBroadcast(window, wParam);
        return TRUE;
    }
    // Registered at run time, so it cannot be a case label.
    if (message == TaskbarCreatedMessage()) {
        RestoreTrayIcon(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
