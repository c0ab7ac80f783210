#include "base/desktop_window.h"

bool IsDesktopWindow(HWND window)
{
    if (window == GetDesktopWindow() || window == GetShellWindow())
        return true;
    wchar_t name[16];
    return GetClassNameW(window, name, 16) > 0 && (lstrcmpW(name, L"Progman") == 0 || lstrcmpW(name, L"WorkerW") == 0);
}
