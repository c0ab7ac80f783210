// Installs the test event source (event_hooks.cpp) for every program of its
// desktop of its own width, and keeps it installed until WM_QUIT or its end.
//   event_source32 | event_source64   (the library of the same width beside it)
#include <windows.h>

#include <cwchar>

namespace {

wchar_t const* const LIBRARY_NAME = sizeof(void*) == 8 ? L"event_hooks64.dll" : L"event_hooks32.dll";

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

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    HMODULE library = LoadLibraryBeside();
    if (library == nullptr)
        return 1;
    HOOKPROC const callWndProcRet =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library, "EventSourceCallWndProcRet")));
    HOOKPROC const mouse =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library, "EventSourceMouse")));
    if (callWndProcRet == nullptr || mouse == nullptr)
        return 1;
    HHOOK windows = SetWindowsHookExW(WH_CALLWNDPROCRET, callWndProcRet, library, 0);
    HHOOK mice = SetWindowsHookExW(WH_MOUSE, mouse, library, 0);
    if (windows == nullptr || mice == nullptr)
        return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    UnhookWindowsHookEx(windows);
    UnhookWindowsHookEx(mice);
    return 0;
}
