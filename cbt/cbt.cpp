// CBT.dll: keeps the bar on the caption of the foreground window. Its hook
// procedures run inside every program with a window, so they look at the
// code or message first and leave at once for everything else; they use no
// heap, never wait on another program and only post to the bar.
#include "cbt/cbt.h"

#include "base/bottom_right.h"
#include "base/monitors.h"
#include "base/win32_values.h"
#include "cbt/carrier.h"
#include "cbt/shared_views.h"

namespace {

HINSTANCE g_module;
HHOOK g_cbtHook;             // only in the program's process
HHOOK g_callWndProcRetHook;  // only in the program's process
HWND g_candidate;            // the window CanAdhere last accepted

// CBT.dll and CBT64.dll may both see one event: on 64-bit Windows each is
// also called in its installing thread for the other kind of process. Only
// the library inside the window's own process acts.
bool IsOwnWindow(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

// Moves without activating and without waiting: a bar of another thread
// gets the move queued.
void MoveBar(HWND bar, RECT const& rect)
{
    RECT current;
    if (GetWindowRect(bar, &current) && current.left == rect.left && current.top == rect.top)
        return;
    UINT flags = SWP_NOSIZE | SWP_NOACTIVATE;
    if (GetWindowThreadProcessId(bar, nullptr) != GetCurrentThreadId())
        flags |= SWP_ASYNCWINDOWPOS;
    SetWindowPos(bar, HWND_TOPMOST, rect.left, rect.top, 0, 0, flags);
}

void PostCaptionState(HWND bar, bool active)
{
    PostMessageW(bar, WM_CAPTIONSTATE, active ? 1 : 0, 0);
}

// The bottom-right corner of the work area of the monitor the bar last rode
// on (of the bar's own once that window is gone), where the program parks.
void Park(SharedViews const& views, HWND bar)
{
    HWND const carrier = WindowOfHandle(views.follow->carrier);
    views.follow->carrier = 0;
    RECT rect;
    if (!GetWindowRect(bar, &rect))
        return;
    RECT const area = WorkAreaNear(IsWindow(carrier) ? carrier : bar);
    Point const at = BottomRightPosition(ToRect(area), rect.right - rect.left, rect.bottom - rect.top,
                                         views.record->captionHeight);
    RECT parked{at.x, at.y, 0, 0};
    MoveBar(bar, parked);
    PostCaptionState(bar, true);
}

void Ride(SharedViews const& views, HWND bar, HWND carrier, RECT const& rect)
{
    views.follow->carrier = HandleOfWindow(carrier);
    MoveBar(bar, rect);
}

// Views of a hooked process while the hooks are on, else null members.
bool ActiveViews(SharedViews* views, HWND* bar)
{
    *views = OpenSharedViews(false);
    if (views->record == nullptr || views->follow == nullptr || views->follow->installed == 0)
        return false;
    *bar = BarWindowOf(*views);
    return IsWindow(*bar) != FALSE;
}

// Wine also calls this with no window when a thread loses the activation to
// another program; the carrier's own WM_NCACTIVATE tells of that. Read as a
// window that cannot carry, its post could land after the new carrier's.
void OnActivate(HWND window)
{
    SharedViews views;
    HWND bar;
    if (window == nullptr || !IsOwnWindow(window) || !ActiveViews(&views, &bar) || window == bar)
        return;
    RECT rect;
    if (CanCarry(window, *views.record, &rect)) {
        Ride(views, bar, window, rect);
        PostCaptionState(bar, true);
        return;
    }
    HWND const carrier = WindowOfHandle(views.follow->carrier);
    if (carrier == nullptr || carrier == window)
        return;
    if (IsShownCarrier(carrier))
        PostCaptionState(bar, false);
    else
        Park(views, bar);
}

bool IsMinimiseOrHide(int showCommand)
{
    return showCommand == SW_MINIMIZE || showCommand == SW_SHOWMINIMIZED || showCommand == SW_SHOWMINNOACTIVE ||
           showCommand == SW_FORCEMINIMIZE || showCommand == SW_HIDE;
}

// Minimised, hidden or destroyed: the carrier is gone from the screen.
void OnCarrierGone(HWND window)
{
    SharedViews views;
    HWND bar;
    if (IsOwnWindow(window) && ActiveViews(&views, &bar) && window == WindowOfHandle(views.follow->carrier))
        Park(views, bar);
}

// A foreground window that could not carry the bar when it was activated (not
// yet shown, say) takes it as soon as it can while the bar is parked.
void AdoptIfForeground(SharedViews const& views, HWND bar, HWND window)
{
    RECT rect;
    if (window == GetForegroundWindow() && CanCarry(window, *views.record, &rect)) {
        Ride(views, bar, window, rect);
        PostCaptionState(bar, true);
    }
}

void OnWindowPosChanged(HWND window)
{
    SharedViews views;
    HWND bar;
    if (!IsOwnWindow(window) || !ActiveViews(&views, &bar) || window == bar)
        return;
    HWND const carrier = WindowOfHandle(views.follow->carrier);
    if (carrier == nullptr) {
        AdoptIfForeground(views, bar, window);
        return;
    }
    if (window != carrier)
        return;
    RECT rect;
    if (CanCarry(window, *views.record, &rect))
        MoveBar(bar, rect);
    else
        Park(views, bar);
}

void OnNcActivate(HWND window, bool active)
{
    SharedViews views;
    HWND bar;
    if (!IsOwnWindow(window) || !ActiveViews(&views, &bar) || window == bar)
        return;
    HWND const carrier = WindowOfHandle(views.follow->carrier);
    if (window == carrier)
        PostCaptionState(bar, active);
    else if (carrier == nullptr && active)
        AdoptIfForeground(views, bar, window);
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE)
        OnActivate(reinterpret_cast<HWND>(wParam));
    else if (code == HCBT_MINMAX && IsMinimiseOrHide(LOWORD(lParam)))
        OnCarrierGone(reinterpret_cast<HWND>(wParam));
    else if (code == HCBT_DESTROYWND)
        OnCarrierGone(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CallWndProcRetProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        CWPRETSTRUCT const* call = reinterpret_cast<CWPRETSTRUCT const*>(lParam);
        if (call->message == WM_WINDOWPOSCHANGED)
            OnWindowPosChanged(call->hwnd);
        else if (call->message == WM_NCACTIVATE)
            OnNcActivate(call->hwnd, call->wParam != 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int WINAPI InstallCBTHook(void)
{
    if (g_cbtHook != nullptr)
        return 0;
    SharedViews views = OpenSharedViews(true);
    if (views.follow == nullptr)
        return 0;
    g_cbtHook = SetWindowsHookExW(WH_CBT, CbtProc, g_module, 0);
    g_callWndProcRetHook = SetWindowsHookExW(WH_CALLWNDPROCRET, CallWndProcRetProc, g_module, 0);
    if (g_cbtHook == nullptr || g_callWndProcRetHook == nullptr) {
        if (g_cbtHook != nullptr)
            UnhookWindowsHookEx(g_cbtHook);
        if (g_callWndProcRetHook != nullptr)
            UnhookWindowsHookEx(g_callWndProcRetHook);
        g_cbtHook = g_callWndProcRetHook = nullptr;
        return 0;
    }
    views.follow->installed = 1;
    return 1;
}

int WINAPI UninstallCBTHook(void)
{
    if (g_cbtHook == nullptr)
        return 0;
    // Hooked processes may still be inside a hook procedure: the flag stops
    // them from moving the bar before the system has removed the hooks.
    SharedViews views = OpenSharedViews(true);
    if (views.follow != nullptr) {
        views.follow->installed = 0;
        views.follow->carrier = 0;
    }
    UnhookWindowsHookEx(g_cbtHook);
    UnhookWindowsHookEx(g_callWndProcRetHook);
    g_cbtHook = g_callWndProcRetHook = nullptr;
    return 1;
}

int WINAPI CanAdhere(HWND target, RECT* rect)
{
    if (rect == nullptr)
        return 0;
    SharedViews views = OpenSharedViews(true);
    RECT placed;
    if (views.record == nullptr || !CanCarry(target, *views.record, &placed))
        return 0;
    *rect = placed;
    g_candidate = target;
    return 1;
}

void WINAPI MoveOwnerWindow(HWND bar, RECT* rect)
{
    if (rect == nullptr || !IsWindow(bar))
        return;
    SharedViews views = OpenSharedViews(true);
    if (views.follow != nullptr)
        views.follow->carrier = HandleOfWindow(g_candidate);
    g_candidate = nullptr;
    MoveBar(bar, *rect);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
