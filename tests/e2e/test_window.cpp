// A plain top-level window for the end-to-end tests of riding on captions:
//   test_window caption|nocaption|tool TITLE X Y WIDTH HEIGHT [RRGGBB]
// "nocaption" draws no system caption (no WS_CAPTION), "tool" is a tool
// window, which may never carry the bar. RRGGBB fills the client area with a
// known colour, a backdrop for screenshots. Ends on WM_CLOSE. A posted
// HANG_MESSAGE (WM_APP + 1, wParam milliseconds) makes it move by ten pixels
// and then stop answering messages for that long, as a hung program does.
#include <windows.h>

#include <cwchar>
#include <cwctype>

namespace {

UINT const HANG_MESSAGE = WM_APP + 1;

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
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || (argc != 7 && argc != 8))
        return 2;
    WNDCLASSEXW wc;
    ZeroMemory(&wc, sizeof wc);
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    if (argc == 8) {
        unsigned long const rgb = wcstoul(argv[7], nullptr, 16);
        wc.hbrBackground = CreateSolidBrush(RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
    }
    wc.lpszClassName = L"BrisvaneTestWindow";
    RegisterClassExW(&wc);

    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    if (wcscmp(argv[1], L"nocaption") == 0)
        style = WS_POPUP | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    else if (wcscmp(argv[1], L"tool") == 0)
        exStyle = WS_EX_TOOLWINDOW;
    HWND window = CreateWindowExW(exStyle, wc.lpszClassName, argv[2], style, _wtoi(argv[3]), _wtoi(argv[4]),
                                  _wtoi(argv[5]), _wtoi(argv[6]), nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
