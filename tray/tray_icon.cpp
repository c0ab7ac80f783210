#include "tray/tray_icon.h"

#include <commctrl.h>

#include "base/instance.h"
#include "base/messages.h"
#include "base/system_library.h"
#include "base/system_library.h"
#include "base/ui_resources.h"
#include "res/resource.h"

namespace {

// What the icon shows now, so it can be added again when the taskbar is
// recreated: the image and the tooltip last given to the shell.
HICON g_trayIcon;
WCHAR g_trayTip[128];
// Whether the shell holds the icon, and how many times a refused icon has
// been offered again since.
bool g_trayAdded;
int g_retries;

// The two images at the small-icon size of the current DPI, made by
// LoadIconMetric (so they are the program's to destroy).
HICON g_icons[2];
int const BATTERY_IMAGE = 0, COUNTDOWN_IMAGE = 1;
UINT const IMAGE_IDS[] = {IDI_BRISVANE, IDI_SHUTDOWN};

// A logon can start the program before Explorer takes icons, and no
// TaskbarCreated follows when the shell was only late: offered again every
// few seconds for the first minutes, then once a minute until it is there.
UINT const RETRY_SOON_MS = 4000;
UINT const RETRY_LATER_MS = 60000;
int const SOON_RETRIES = 45;  // three minutes

// The Vista form of the structure, which NOTIFYICON_VERSION_4 expects; the
// shell reads only the members that uFlags names.
NOTIFYICONDATAW TrayData(HWND bar, UINT flags)
{
    NOTIFYICONDATAW data;
    ZeroMemory(&data, sizeof data);
    data.cbSize = sizeof data;
    data.hWnd = bar;
    data.uID = TRAY_ICON_ID;
    data.uFlags = flags;
    return data;
}

// Version 4 reports what becomes of a balloon (NIN_BALLOONSHOW and the
// rest) and hides the standard tooltip unless NIF_SHOWTIP asks for it.
BOOL AddWithCurrentLook(HWND bar)
{
    NOTIFYICONDATAW data = TrayData(bar, NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    data.uCallbackMessage = WM_TRAYNOTIFY;
    data.hIcon = g_trayIcon;
    lstrcpynW(data.szTip, g_trayTip, ARRAYSIZE(data.szTip));
    // Refused, it may be there already (a TaskbarCreated the shell sends for
    // a new DPI, not a restart): then it takes the change.
    g_trayAdded = Shell_NotifyIconW(NIM_ADD, &data) != FALSE || Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    if (!g_trayAdded)
        return FALSE;
    NOTIFYICONDATAW version = TrayData(bar, 0);
    version.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconW(NIM_SETVERSION, &version);
    return TRUE;
}

// Adds the icon, or keeps offering it until the shell takes it.
BOOL AddOrRetry(HWND bar)
{
    if (AddWithCurrentLook(bar)) {
        KillTimer(bar, IDT_TRAY_RETRY);
        g_retries = 0;
        return TRUE;
    }
    SetTimer(bar, IDT_TRAY_RETRY, g_retries < SOON_RETRIES ? RETRY_SOON_MS : RETRY_LATER_MS, nullptr);
    return FALSE;
}

// An elevated bar (it may write the machine's Run key) would otherwise never
// hear the broadcast of an unelevated shell. Looked up at run time: older
// systems have no such filter, and no need for it.
void LetTaskbarCreatedThrough(HWND bar)
{
    typedef BOOL(WINAPI * FilterFunction)(HWND, UINT, DWORD, void*);
    FilterFunction filter = reinterpret_cast<FilterFunction>(
        reinterpret_cast<void*>(SystemLibraryFunction(L"user32.dll", "ChangeWindowMessageFilterEx")));
    if (filter != nullptr)
        filter(bar, TaskbarCreatedMessage(), 1 /* MSGFLT_ALLOW */, nullptr);
}

// LoadIconMetric where comctl32 is in the process already (version 6.10);
// else the image of the small-icon size picked the same way. Loading
// comctl32 for two icons would cost the start more than the rest of it.
HICON TrayImage(int image)
{
    typedef HRESULT(WINAPI * LoadIconMetricFunction)(HINSTANCE, PCWSTR, int, HICON*);
    LoadIconMetricFunction const load =
        GetModuleHandleW(L"comctl32.dll") == nullptr
            ? nullptr
            : reinterpret_cast<LoadIconMetricFunction>(
                  reinterpret_cast<void*>(SystemLibraryFunction(L"comctl32.dll", "LoadIconMetric")));
    if (g_icons[image] != nullptr)
        return g_icons[image];
    LPCWSTR const name = MAKEINTRESOURCEW(IMAGE_IDS[image]);
    if (load == nullptr || FAILED(load(g_instance, name, LIM_SMALL, &g_icons[image])))
        g_icons[image] = static_cast<HICON>(LoadImageW(g_instance, name, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    return g_icons[image];
}

}  // namespace

HICON BatteryTrayIcon()
{
    return TrayImage(BATTERY_IMAGE);
}

HICON CountdownTrayIcon()
{
    return TrayImage(COUNTDOWN_IMAGE);
}

BOOL AddTrayIcon(HWND bar, HICON icon, WCHAR const* tip)
{
    g_trayIcon = icon;
    if (tip != nullptr)
        lstrcpynW(g_trayTip, tip, ARRAYSIZE(g_trayTip));
    else
        LoadUiString(IDS_TRAY_TIP, g_trayTip, ARRAYSIZE(g_trayTip));
    LetTaskbarCreatedThrough(bar);
    g_retries = 0;
    return AddOrRetry(bar);
}

BOOL RemoveTrayIcon(HWND bar)
{
    KillTimer(bar, IDT_TRAY_RETRY);
    g_trayAdded = false;
    NOTIFYICONDATAW data = TrayData(bar, 0);
    return Shell_NotifyIconW(NIM_DELETE, &data);
}

BOOL SetTrayTip(HWND bar, WCHAR const* text)
{
    NOTIFYICONDATAW data = TrayData(bar, NIF_TIP | NIF_SHOWTIP);
    lstrcpynW(data.szTip, text, ARRAYSIZE(data.szTip));
    lstrcpynW(g_trayTip, data.szTip, ARRAYSIZE(g_trayTip));
    return Shell_NotifyIconW(NIM_MODIFY, &data);
}

BOOL UpdateTrayTip(HWND bar, WCHAR const* text)
{
    WCHAR cut[ARRAYSIZE(g_trayTip)];
    lstrcpynW(cut, text, ARRAYSIZE(cut));
    if (lstrcmpW(cut, g_trayTip) == 0)
        return TRUE;
    return SetTrayTip(bar, cut);
}

BOOL ShowTrayNotification(HWND bar, WCHAR const* title, WCHAR const* text, bool warning)
{
    NOTIFYICONDATAW data = TrayData(bar, NIF_INFO);
    lstrcpynW(data.szInfoTitle, title, ARRAYSIZE(data.szInfoTitle));
    lstrcpynW(data.szInfo, text, ARRAYSIZE(data.szInfo));
    data.dwInfoFlags = (warning ? NIIF_WARNING : NIIF_INFO) | NIIF_RESPECT_QUIET_TIME;
    return Shell_NotifyIconW(NIM_MODIFY, &data);
}

TrayBalloonNews BalloonNewsOf(LPARAM lParam)
{
    switch (LOWORD(lParam)) {
    case NIN_BALLOONSHOW:
    case NIN_BALLOONUSERCLICK:
        return TrayBalloonNews::Shown;
    case NIN_BALLOONHIDE:
    case NIN_BALLOONTIMEOUT:
        return TrayBalloonNews::Gone;
    }
    return TrayBalloonNews::None;
}

bool TrayNotificationsWelcome()
{
    QUERY_USER_NOTIFICATION_STATE state = QUNS_ACCEPTS_NOTIFICATIONS;
    if (FAILED(SHQueryUserNotificationState(&state)))
        return true;
    // QUNS_APP (a full-screen store app) and QUNS_NOT_PRESENT (a locked or
    // switched-away session) take no notification either; the balloon would be lost.
    return state == QUNS_ACCEPTS_NOTIFICATIONS;
}

BOOL SetTrayIcon(HWND bar, HICON icon)
{
    if (icon == nullptr)
        return FALSE;
    g_trayIcon = icon;
    NOTIFYICONDATAW data = TrayData(bar, NIF_ICON);
    data.hIcon = icon;
    return Shell_NotifyIconW(NIM_MODIFY, &data);
}

void LoadTrayIconsForDpi(HWND bar)
{
    int shown = -1;
    for (int image = 0; image < 2; ++image) {
        if (g_icons[image] != nullptr && g_icons[image] == g_trayIcon)
            shown = image;
        if (g_icons[image] != nullptr)
            DestroyIcon(g_icons[image]);
        g_icons[image] = nullptr;
    }
    if (shown >= 0)
        SetTrayIcon(bar, TrayImage(shown));
}

UINT TaskbarCreatedMessage()
{
    // Zero-initialised, not a guarded local static: the guard would bring in
    // the C++ runtime's threading and exception support for nothing.
    static UINT message;
    if (message == 0)
        message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

BOOL RestoreTrayIcon(HWND bar)
{
    g_retries = 0;
    return AddOrRetry(bar);
}

void OnTrayRetryTimer(HWND bar)
{
    if (g_trayAdded) {  // a tick queued before the icon was taken
        KillTimer(bar, IDT_TRAY_RETRY);
        return;
    }
    ++g_retries;
    AddOrRetry(bar);
}

bool IsTrayIconShown()
{
    return g_trayAdded;
}
