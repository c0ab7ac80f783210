// A plain top-level window for the end-to-end tests of riding on captions:
//   test_window caption|nocaption|tool TITLE X Y WIDTH HEIGHT [RRGGBB]
// "nocaption" draws no system caption (no WS_CAPTION), "tool" is a tool
// window, which may never carry the bar, "refuses" a captioned window that
// refuses to let the session end, as an editor with unsaved work does. RRGGBB fills the client area with a
// known colour, a backdrop for screenshots. Ends on WM_CLOSE. A posted
// HANG_MESSAGE (WM_APP + 1, wParam milliseconds) makes it move by ten pixels
// and then stop answering messages for that long, as a hung program does.
#include <windows.h>

#include <cwchar>

#include "harness/windows/window_program.h"

namespace {

UINT const HANG_MESSAGE = WM_APP + 1;
bool g_refuses;

void Hang(HWND window, DWORD milliseconds)
{
    RECT rect;
    GetWindowRect(window, &rect);
    SetWindowPos(window, nullptr, rect.left + 10, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(milliseconds);
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case HANG_MESSAGE:
        Hang(window, static_cast<DWORD>(wParam));
        return 0;
    case WM_QUERYENDSESSION:
        return g_refuses ? FALSE : TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    WindowArguments a;
    if (!ReadWindowArguments(&a))
        return 2;
    HBRUSH background = a.coloured ? CreateSolidBrush(a.colour) : reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    if (wcscmp(a.kind, L"nocaption") == 0)
        style = WS_POPUP | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    else if (wcscmp(a.kind, L"tool") == 0)
        exStyle = WS_EX_TOOLWINDOW;
    g_refuses = wcscmp(a.kind, L"refuses") == 0;
    return RunTestWindow(instance, L"BrisvaneTestWindow", TestWindowProc, background, exStyle, style, a);
}
