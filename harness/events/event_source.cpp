// Installs the test event source (event_hooks.cpp) for every program of its
// width in its desktop, and keeps it installed until its hidden window
// "event source 32" (or 64), which tells that the hooks are in, is closed.
//   event_source32 | event_source64   (the library of the same width beside it)
#include <windows.h>

#include <cwchar>

#include "harness/events/event_hooks.h"

namespace {

wchar_t const* const LIBRARY_NAME = sizeof(void*) == 8 ? L"event_hooks64.dll" : L"event_hooks32.dll";
wchar_t const* const WINDOW_TITLE = sizeof(void*) == 8 ? L"event source 64" : L"event source 32";

LRESULT CALLBACK SourceWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HMODULE LoadLibraryBeside()
{
    wchar_t path[MAX_PATH];
    DWORD const length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    wchar_t* name = length > 0 && length < MAX_PATH ? wcsrchr(path, L'\\') : nullptr;
    if (name == nullptr || (name + 1 - path) + wcslen(LIBRARY_NAME) + 1 > MAX_PATH)
        return nullptr;
    lstrcpyW(name + 1, LIBRARY_NAME);
    return LoadLibraryW(path);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    HMODULE library = LoadLibraryBeside();
    if (library == nullptr)
        return 1;
    HOOKPROC const windowMessages =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library, "EventSourceWindows")));
    HOOKPROC const mouse =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library, "EventSourceMouse")));
    if (windowMessages == nullptr || mouse == nullptr)
        return 1;
    HHOOK windows = SetWindowsHookExW(EVENT_SOURCE_WINDOW_HOOK, windowMessages, library, 0);
    HHOOK mice = SetWindowsHookExW(EVENT_SOURCE_MOUSE_HOOK, mouse, library, 0);
    if (windows == nullptr || mice == nullptr)
        return 1;
    WNDCLASSW wc{};
    wc.lpfnWndProc = SourceWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"BrisvaneEventSource";
    RegisterClassW(&wc);
    if (CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, WINDOW_TITLE, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                        instance, nullptr) == nullptr)
        return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    UnhookWindowsHookEx(windows);
    UnhookWindowsHookEx(mice);
    return 0;
}
