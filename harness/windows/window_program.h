// What the end-to-end test window programs share: their command line
//   PROGRAM KIND TITLE X Y WIDTH HEIGHT [RRGGBB]
// and one top-level window shown in front until it is closed.
#pragma once

#include <windows.h>

#include <cwchar>

struct WindowArguments {
    wchar_t const* kind;
    wchar_t const* title;
    int x, y, width, height;
    bool coloured;  // RRGGBB was given
    COLORREF colour;
};

// False when the command line is not of that form.
inline bool ReadWindowArguments(WindowArguments* arguments)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || (argc != 7 && argc != 8))
        return false;
    // argv is the program's until it ends.
    arguments->kind = argv[1];
    arguments->title = argv[2];
    arguments->x = _wtoi(argv[3]);
    arguments->y = _wtoi(argv[4]);
    arguments->width = _wtoi(argv[5]);
    arguments->height = _wtoi(argv[6]);
    arguments->coloured = argc == 8;
    unsigned long const rgb = argc == 8 ? wcstoul(argv[7], nullptr, 16) : 0;
    arguments->colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    return true;
}

// Registers the class, shows the window in front and runs its messages: the
// exit code, 1 when the window could not be made.
inline int RunTestWindow(HINSTANCE instance, wchar_t const* className, WNDPROC procedure, HBRUSH background,
                         DWORD exStyle, DWORD style, WindowArguments const& a)
{
    WNDCLASSEXW wc;
    ZeroMemory(&wc, sizeof wc);
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(exStyle, className, a.title, style, a.x, a.y, a.width, a.height, nullptr, nullptr,
                                  instance, nullptr);
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
