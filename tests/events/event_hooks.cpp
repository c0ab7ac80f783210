// The window events Windows raises by itself and Wine 8 does not, raised
// with NotifyWinEvent from inside each program of the test's desktop, so
// that the real CBT.dll hears of windows as it would on Windows. A global
// hook library, one a width (a 32-bit one serves 32-bit programs, a 64-bit
// one 64-bit programs), installed by event_source.cpp. Test code only: the
// program never knows it runs.
//
// Raised here, each where Windows raises it:
//   EVENT_SYSTEM_FOREGROUND      a window became the foreground window
//                                (its WM_ACTIVATE, when it is in front)
//   EVENT_OBJECT_LOCATIONCHANGE  a window moved or changed size (its
//                                WM_WINDOWPOSCHANGED); with OBJID_CURSOR,
//                                the mouse moved over a window
//   EVENT_SYSTEM_MINIMIZESTART   a window was minimised
//   EVENT_SYSTEM_MINIMIZEEND     a minimised window was restored
//   EVENT_OBJECT_SHOW, _HIDE     a window was shown or hidden
//   EVENT_OBJECT_DESTROY         a window is being destroyed
// EVENT_OBJECT_CLOAKED and UNCLOAKED never: nothing in Wine cloaks windows
// (Windows cloaks those of another virtual desktop and suspended apps).
#include <windows.h>

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

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK EventSourceCallWndProcRet(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        CWPRETSTRUCT const& call = *reinterpret_cast<CWPRETSTRUCT const*>(lParam);
        switch (call.message) {
        case WM_WINDOWPOSCHANGED:
            OnWindowPosChanged(call.hwnd, *reinterpret_cast<WINDOWPOS const*>(call.lParam));
            break;
        case WM_ACTIVATE:
            if (LOWORD(call.wParam) != WA_INACTIVE && GetForegroundWindow() == call.hwnd)
                Raise(EVENT_SYSTEM_FOREGROUND, call.hwnd);
            break;
        case WM_DESTROY:
            RemovePropW(call.hwnd, MINIMISED);
            Raise(EVENT_OBJECT_DESTROY, call.hwnd);
            break;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK EventSourceMouse(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && (wParam == WM_MOUSEMOVE || wParam == WM_NCMOUSEMOVE))
        Raise(EVENT_OBJECT_LOCATIONCHANGE, reinterpret_cast<MOUSEHOOKSTRUCT const*>(lParam)->hwnd, OBJID_CURSOR);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}
