// The window events Windows raises by itself and Wine 8 does not, raised
// with NotifyWinEvent from inside each program of the test's desktop, so
// that the real CBT.dll hears of windows as it would on Windows. A global
// hook library, one a width (a 32-bit one serves 32-bit programs, a 64-bit
// one 64-bit programs), installed by event_source.cpp with the hooks of
// event_hooks.h. Test code only: the program never knows it runs.
//
// Raised here, each where Windows raises it:
//   EVENT_SYSTEM_FOREGROUND      a window became the foreground window
//                                (its WM_ACTIVATE, when it is in front)
//   EVENT_OBJECT_LOCATIONCHANGE  a window moved or changed size (its
//                                WM_WINDOWPOSCHANGED); with OBJID_CURSOR,
//                                the mouse moved over a window (its
//                                WM_MOUSEMOVE)
//   EVENT_SYSTEM_MINIMIZESTART   a window was minimised
//   EVENT_SYSTEM_MINIMIZEEND     a minimised window was restored
//   EVENT_OBJECT_SHOW, _HIDE     a window was shown or hidden
//   EVENT_OBJECT_DESTROY         a window is being destroyed
// EVENT_OBJECT_CLOAKED and UNCLOAKED never: nothing in Wine cloaks windows
// (Windows cloaks those of another virtual desktop and suspended apps).
#include "harness/events/event_hooks.h"

namespace {

// Set on a window while it is minimised, to tell a restore from other moves.
wchar_t const MINIMISED[] = L"BrisvaneEventSourceMinimised";

void Raise(DWORD event, HWND window, LONG object = OBJID_WINDOW)
{
    NotifyWinEvent(event, window, object, CHILDID_SELF);
}

void OnWindowPosChanged(HWND window, WINDOWPOS const& pos)
{
    if (pos.flags & SWP_SHOWWINDOW)
        Raise(EVENT_OBJECT_SHOW, window);
    if (pos.flags & SWP_HIDEWINDOW)
        Raise(EVENT_OBJECT_HIDE, window);
    bool const minimised = IsIconic(window) != FALSE;
    if (minimised != (GetPropW(window, MINIMISED) != nullptr)) {
        if (minimised)
            SetPropW(window, MINIMISED, reinterpret_cast<HANDLE>(1));
        else
            RemovePropW(window, MINIMISED);
        Raise(minimised ? EVENT_SYSTEM_MINIMIZESTART : EVENT_SYSTEM_MINIMIZEEND, window);
    }
    if ((pos.flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
        Raise(EVENT_OBJECT_LOCATIONCHANGE, window);
}

void OnWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged(window, *reinterpret_cast<WINDOWPOS const*>(lParam));
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && GetForegroundWindow() == window)
            Raise(EVENT_SYSTEM_FOREGROUND, window);
        break;
    case WM_DESTROY:
        RemovePropW(window, MINIMISED);
        Raise(EVENT_OBJECT_DESTROY, window);
        break;
    }
}

}  // namespace

// EVENT_SOURCE_WINDOW_HOOK: the message as sent, or as it returned.
extern "C" __declspec(dllexport) LRESULT CALLBACK EventSourceWindows(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        if (EVENT_SOURCE_WINDOW_HOOK == WH_CALLWNDPROC) {
            CWPSTRUCT const& call = *reinterpret_cast<CWPSTRUCT const*>(lParam);
            OnWindowMessage(call.hwnd, call.message, call.wParam, call.lParam);
        } else {
            CWPRETSTRUCT const& call = *reinterpret_cast<CWPRETSTRUCT const*>(lParam);
            OnWindowMessage(call.hwnd, call.message, call.wParam, call.lParam);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// EVENT_SOURCE_MOUSE_HOOK: a mouse message, or any message, taken from the queue.
extern "C" __declspec(dllexport) LRESULT CALLBACK EventSourceMouse(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        HWND window = nullptr;
        UINT message = 0;
        if (EVENT_SOURCE_MOUSE_HOOK == WH_GETMESSAGE) {
            MSG const& taken = *reinterpret_cast<MSG const*>(lParam);
            window = taken.hwnd;
            message = wParam == PM_REMOVE ? taken.message : 0;
        } else {
            window = reinterpret_cast<MOUSEHOOKSTRUCT const*>(lParam)->hwnd;
            message = static_cast<UINT>(wParam);
        }
        if (window != nullptr && (message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE))
            Raise(EVENT_OBJECT_LOCATIONCHANGE, window, OBJID_CURSOR);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}
