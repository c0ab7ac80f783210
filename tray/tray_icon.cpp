#include "tray/tray_icon.h"

#include "base/instance.h"
#include "base/messages.h"
#include "base/system_library.h"
#include "base/ui_resources.h"
#include "res/resource.h"

namespace {

// What the icon shows now, so it can be added again when the taskbar is
// recreated: the image and the tooltip last given to the shell.
HICON g_trayIcon;
WCHAR g_trayTip[128];

// The Windows XP form of the structure; the shell reads only the members
// that uFlags names.
NOTIFYICONDATAW TrayData(HWND bar, UINT flags)
{
    NOTIFYICONDATAW data;
    ZeroMemory(&data, sizeof data);
    data.cbSize = NOTIFYICONDATAW_V3_SIZE;
    data.hWnd = bar;
    data.uID = TRAY_ICON_ID;
    data.uFlags = flags;
    return data;
}

BOOL AddWithCurrentLook(HWND bar)
{
    NOTIFYICONDATAW data = TrayData(bar, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    data.uCallbackMessage = WM_TRAYNOTIFY;
    data.hIcon = g_trayIcon;
    lstrcpynW(data.szTip, g_trayTip, ARRAYSIZE(data.szTip));
    return Shell_NotifyIconW(NIM_ADD, &data);
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

}  // namespace

HICON BatteryTrayIcon()
{
    return LoadIconW(g_instance, MAKEINTRESOURCEW(IDI_BRISVANE));
}

HICON CountdownTrayIcon()
{
    return LoadIconW(g_instance, MAKEINTRESOURCEW(IDI_SHUTDOWN));
}

BOOL AddTrayIcon(HWND bar, HICON icon, WCHAR const* tip)
{
    g_trayIcon = icon;
    if (tip != nullptr)
        lstrcpynW(g_trayTip, tip, ARRAYSIZE(g_trayTip));
    else
        LoadUiString(IDS_TRAY_TIP, g_trayTip, ARRAYSIZE(g_trayTip));
    LetTaskbarCreatedThrough(bar);
    return AddWithCurrentLook(bar);
}

BOOL RemoveTrayIcon(HWND bar)
{
    NOTIFYICONDATAW data = TrayData(bar, 0);
    return Shell_NotifyIconW(NIM_DELETE, &data);
}

BOOL SetTrayTip(HWND bar, WCHAR const* text)
{
    NOTIFYICONDATAW data = TrayData(bar, NIF_TIP);
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
    return AddWithCurrentLook(bar);
}
