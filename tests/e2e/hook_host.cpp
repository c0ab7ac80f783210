// Stands in for the program where a test must switch the hooks or watch what
// the library posts: it publishes the shared record for a bar of its own,
// installs the hooks and shows in its bar's title what arrived:
//   "state=S posts=N install=R uninstall=R history=SSS…"
// Posted WM_APP + 1 uninstalls, WM_APP + 2 installs, WM_CLOSE ends it.
//   hook_host IGNOREDUI
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "cbt/cbt.h"
#include "cbt/shared_window_record.h"

namespace {

UINT const CAPTION_STATE = WM_USER + 100;
UINT const UNINSTALL = WM_APP + 1;
UINT const INSTALL = WM_APP + 2;

int g_state = -1;
int g_posts;
int g_install = -1;
int g_uninstall = -1;
wchar_t g_history[33];  // the last 32 states, oldest first, for the failure report

void RecordState(int state)
{
    int const last = static_cast<int>(sizeof g_history / sizeof g_history[0]) - 2;
    int length = 0;
    while (g_history[length] != L'\0')
        ++length;
    if (length > last) {
        for (int i = 0; i < last; ++i)
            g_history[i] = g_history[i + 1];
        length = last;
    }
    g_history[length] = state == 0 ? L'0' : L'1';
}

void ShowStatus(HWND window)
{
    wchar_t text[128];
    std::swprintf(text, 128, L"state=%d posts=%d install=%d uninstall=%d history=%ls", g_state, g_posts,
                  g_install, g_uninstall, g_history);
    SetWindowTextW(window, text);
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case CAPTION_STATE:
        g_state = static_cast<int>(wParam);
        ++g_posts;
        RecordState(g_state);
        ShowStatus(window);
        return 0;
    case UNINSTALL:
        g_uninstall = UninstallCBTHook();
        ShowStatus(window);
        return 0;
    case INSTALL:
        g_install = InstallCBTHook();
        ShowStatus(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int)
{
    WNDCLASSEXW wc;
    ZeroMemory(&wc, sizeof wc);
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = HostWindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = L"BrisvaneHookHost";
    RegisterClassExW(&wc);
    int const caption = GetSystemMetrics(SM_CYCAPTION);
    HWND bar = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, wc.lpszClassName, L"",
                               WS_POPUP, 0, 0, 75, caption - 8, nullptr, nullptr, instance, nullptr);
    if (bar == nullptr)
        return 1;

    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        SHARED_WINDOW_RECORD_SIZE, SHARED_WINDOW_RECORD_NAME);
    if (mapping == nullptr)
        return 1;
    SharedWindowRecord* record = static_cast<SharedWindowRecord*>(
        MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, SHARED_WINDOW_RECORD_SIZE));
    if (record == nullptr)
        return 1;
    record->barWindow = static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(bar));
    record->barWidth = 75;
    record->barHeight = caption - 8;
    record->captionHeight = caption;
    record->ignoreDUI = _wtoi(commandLine);

    ShowWindow(bar, SW_SHOWNOACTIVATE);
    g_install = InstallCBTHook();
    ShowStatus(bar);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
