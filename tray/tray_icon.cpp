#include "tray/tray_icon.h"

#include "app/messages.h"
#include "app/state.h"
#include "res/resource.h"

BOOL(WINAPI* g_shellNotifyIcon)(DWORD, PNOTIFYICONDATAW) = Shell_NotifyIconW;

namespace {

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

}  // namespace

BOOL AddTrayIcon(HWND bar, HICON icon)
{
    NOTIFYICONDATAW data = TrayData(bar, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    data.uCallbackMessage = WM_TRAYNOTIFY;
    data.hIcon = icon;
    LoadStringW(g_instance, IDS_TRAY_TIP, data.szTip, ARRAYSIZE(data.szTip));
    return g_shellNotifyIcon(NIM_ADD, &data);
}

BOOL RemoveTrayIcon(HWND bar)
{
    NOTIFYICONDATAW data = TrayData(bar, 0);
    return g_shellNotifyIcon(NIM_DELETE, &data);
}

BOOL SetTrayTip(HWND bar, WCHAR const* text)
{
    NOTIFYICONDATAW data = TrayData(bar, NIF_TIP);
    lstrcpynW(data.szTip, text, ARRAYSIZE(data.szTip));
    return g_shellNotifyIcon(NIM_MODIFY, &data);
}

BOOL SetTrayIcon(HWND bar, HICON icon)
{
    if (icon == nullptr)
        return FALSE;
    NOTIFYICONDATAW data = TrayData(bar, NIF_ICON);
    data.hIcon = icon;
    return g_shellNotifyIcon(NIM_MODIFY, &data);
}
