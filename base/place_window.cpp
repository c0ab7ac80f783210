#include "base/place_window.h"

#include "base/bottom_right.h"

void PlaceAtBottomRight(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    Point const at = BottomRightPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                         rect.right - rect.left, rect.bottom - rect.top,
                                         GetSystemMetrics(SM_CYCAPTION));
    // Never activates: the parked bar must not take the focus from the user's window.
    SetWindowPos(window, HWND_TOPMOST, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}
