#include "app/init.h"

#include <commctrl.h>

#include "app/bar_window.h"
#include "app/placement.h"
#include "app/settings.h"
#include "app/state.h"
#include "bar/battery.h"
#include "hook/hook_library.h"
#include "hook/host64.h"
#include "hook/window_record.h"
#include "res/resource.h"
#include "tray/tray_icon.h"

namespace {

HFONT CreateBarFont(int captionHeight)
{
    LOGFONTW font;
    ZeroMemory(&font, sizeof font);
    font.lfHeight = captionHeight - 12;  // positive: matched by cell height
    font.lfWeight = FW_NORMAL;
    lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

void PlaceOnForegroundCaption(HWND bar)
{
    HWND foreground = GetForegroundWindow();
    RECT rect;
    if (foreground != nullptr && GetWindowRect(foreground, &rect) && g_canAdhere(foreground, &rect))
        g_moveOwnerWindow(bar, &rect);
    else
        PlaceAtBottomRight(bar);
}

}  // namespace

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
    wc.lpszClassName = g_windowClass;
    wc.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_BRISVANE));
    RegisterClassExW(&wc);
}

BOOL InitInstance(HINSTANCE instance, int /*showCommand*/)
{
    g_instance = instance;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    LoadSettings();

    g_captionHeight = GetSystemMetrics(SM_CYCAPTION);
    g_settings.captionActive = 1;
    g_settings.colourKey = COLOUR_KEY;
    g_settings.activeCaption = GetSysColor(COLOR_ACTIVECAPTION);
    g_settings.activeCaptionText = GetSysColor(COLOR_CAPTIONTEXT);
    g_settings.inactiveCaption = GetSysColor(COLOR_INACTIVECAPTION);
    g_settings.inactiveCaptionText = GetSysColor(COLOR_INACTIVECAPTIONTEXT);

    g_settings.barFont = CreateBarFont(g_captionHeight);
    g_settings.stateBitmap = LoadBitmapW(instance, MAKEINTRESOURCEW(IDB_STATES));
    g_settings.normalIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_BRISVANE));
    g_settings.shutdownIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SHUTDOWN));

    // The frame rectangle must exist before CreateWindowExW: WM_CREATE builds
    // the outline from it.
    g_geometry = ComputeBarGeometry(g_captionHeight, g_settings.barWidth);

    DWORD const exStyle = g_settings.adhere ? BAR_EXSTYLE_ADHERING : BAR_EXSTYLE_FLOATING;
    HWND bar = CreateWindowExW(exStyle, g_windowClass, g_windowTitle, WS_POPUP, g_settings.positionX,
                               g_settings.positionY, g_geometry.windowWidth, g_geometry.windowHeight, nullptr,
                               nullptr, instance, nullptr);
    if (bar == nullptr)
        return FALSE;
    g_barWindow = bar;

    SetLayeredWindowAttributes(bar, g_settings.colourKey, g_settings.alpha, LWA_COLORKEY | LWA_ALPHA);
    SampleBattery();

    SharedWindowRecord record;
    record.barWindow = static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(bar));
    record.barWidth = g_geometry.windowWidth;
    record.barHeight = g_geometry.windowHeight;
    record.captionHeight = g_captionHeight;
    record.ignoreDUI = g_settings.ignoreDUI;
    PublishWindowRecord(record);

    AddTrayIcon(bar, g_settings.normalIcon);

    // Shown without activation: the foreground window must stay the user's,
    // both to carry the bar and so as not to take the focus at log-on.
    ShowWindow(bar, SW_SHOWNOACTIVATE);
    UpdateWindow(bar);

    if (g_settings.adhere) {
        PlaceOnForegroundCaption(bar);
        g_installCbtHook();
        StartHost64();
    }
    return TRUE;
}
