#include "app/placement.h"

void PlaceAtBottomRight(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    int const margin = GetSystemMetrics(SM_CYCAPTION) + 3;
    int const x = GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left) - margin;
    int const y = GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top) - margin;
    // Never activates: the parked bar must not take the focus from the user's window.
    SetWindowPos(window, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}
