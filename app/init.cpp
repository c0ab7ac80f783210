#include "app/init.h"

#include "app/bar_window.h"
#include "app/display.h"
#include "bar/bar_state.h"
#include "bar/battery.h"
#include "bar/follower.h"
#include "base/app_mode.h"
#include "base/instance.h"
#include "base/messages.h"
#include "base/ui_resources.h"
#include "cbt/shared_window_record.h"
#include "details/history_recording.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "tray/tray_icon.h"

WCHAR g_windowTitle[100];
HWND g_barWindow;

void RegisterBarClass(HINSTANCE instance)
{
    WNDCLASSEXW wc;
    ZeroMemory(&wc, sizeof wc);
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = BarWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_BRISVANE));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = BAR_WINDOW_CLASS;
    wc.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_BRISVANE));
    RegisterClassExW(&wc);
}

BOOL InitInstance(HINSTANCE instance, int /*showCommand*/)
{
    g_instance = instance;

    LoadSettings();
    SetUiLanguage(g_settings.language);
    LetMenusFollowAppMode();

    g_barView.captionActive = true;
    CreateBarLook(instance);
    // Laid out before CreateWindowExW, whose size and first paint need it;
    // until the window exists its monitor is unknown, so at the system's DPI
    // first and then at its own.
    LayOutBarForDisplay(nullptr, g_settings.barWidth);
    BarGeometry const& geometry = g_barLayout.geometry;

    DWORD const exStyle = g_settings.adhere ? BAR_EXSTYLE_ADHERING : BAR_EXSTYLE_FLOATING;
    HWND bar = CreateWindowExW(exStyle, BAR_WINDOW_CLASS, g_windowTitle, WS_POPUP, g_settings.positionX,
                               g_settings.positionY, geometry.windowWidth, geometry.windowHeight, nullptr,
                               nullptr, instance, nullptr);
    if (bar == nullptr)
        return FALSE;
    g_barWindow = bar;

    BarGeometry const created = geometry;
    LayOutBarForDisplay(bar, g_settings.barWidth);
    if (geometry.windowWidth != created.windowWidth || geometry.windowHeight != created.windowHeight)
        SetWindowPos(bar, nullptr, 0, 0, geometry.windowWidth, geometry.windowHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!g_settings.adhere)
        KeepFloatingBarOnScreen(bar);

    SetLayeredWindowAttributes(bar, COLOUR_KEY, g_settings.alpha, LWA_COLORKEY | LWA_ALPHA);
    SetBarShowsTime(g_settings.barText == 1);
    SampleBattery();
    StartBatteryHistory(g_settings.history);
    PublishBarRecord(bar);

    WCHAR tip[128];
    FormatBatteryTipNow(tip, ARRAYSIZE(tip));
    AddTrayIcon(bar, BatteryTrayIcon(), tip);
    ShowBatteryDetails(bar);

    // Shown without activation: the foreground window must stay the user's,
    // both to carry the bar and so as not to take the focus at log-on.
    ShowWindow(bar, SW_SHOWNOACTIVATE);
    UpdateWindow(bar);

    FollowWindows(bar, g_settings.adhere);
    return TRUE;
}
