#include "bar/full_screen_watch.h"

#include "bar/bar_state.h"
#include "cbt/full_screen_window.h"

namespace {

HWND g_bar;
HWINEVENTHOOK g_foregroundHook;
HWINEVENTHOOK g_windowHook;  // the full-screen window's process: its moves, minimise, hide and end
HWND g_hiddenFor;            // the full-screen window the bar is hidden for
bool g_checking;
bool g_checkAgain;

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD);

void UnhookWindow()
{
    if (g_windowHook != nullptr)
        UnhookWinEvent(g_windowHook);
    g_windowHook = nullptr;
}

void ShowAgain()
{
    UnhookWindow();
    if (g_hiddenFor == nullptr)
        return;
    g_hiddenFor = nullptr;
    if (g_bar != nullptr && IsWindow(g_bar))
        SetWindowPos(g_bar, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void HideFor(HWND window)
{
    if (g_hiddenFor == window)
        return;
    UnhookWindow();
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    // From EVENT_OBJECT_DESTROY to EVENT_OBJECT_LOCATIONCHANGE: its end,
    // hiding and moves; the minimise start comes as a move too.
    g_windowHook = SetWinEventHook(EVENT_OBJECT_DESTROY, EVENT_OBJECT_LOCATIONCHANGE, nullptr, OnEvent, process, 0,
                                   WINEVENT_OUTOFCONTEXT);
    if (g_hiddenFor == nullptr)
        SetWindowPos(g_bar, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    g_hiddenFor = window;
}

// Asking whether a window is full screen may send it messages, and events
// arriving meanwhile only ask for one more look.
void Check()
{
    if (g_checking) {
        g_checkAgain = true;
        return;
    }
    g_checking = true;
    do {
        g_checkAgain = false;
        HWND const front = GetForegroundWindow();
        HMONITOR const monitor = MonitorFromWindow(g_bar, MONITOR_DEFAULTTONEAREST);
        if (front != nullptr && front != g_bar && IsFullScreenOn(front, monitor, g_barLayout.captionHeight))
            HideFor(front);
        else
            ShowAgain();
    } while (g_checkAgain && g_bar != nullptr);
    g_checking = false;
}

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (object != OBJID_WINDOW || child != CHILDID_SELF || g_bar == nullptr || !IsWindow(g_bar))
        return;
    if (event == EVENT_SYSTEM_FOREGROUND || window == g_hiddenFor)
        Check();
}

}  // namespace

void WatchFullScreenWhileFloating(HWND bar, bool floating)
{
    if (!floating) {
        if (g_foregroundHook != nullptr)
            UnhookWinEvent(g_foregroundHook);
        g_foregroundHook = nullptr;
        ShowAgain();
        g_bar = nullptr;
        return;
    }
    g_bar = bar;
    if (g_foregroundHook == nullptr)
        g_foregroundHook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnEvent, 0, 0,
                                           WINEVENT_OUTOFCONTEXT);
    Check();
}
