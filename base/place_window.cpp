#include "base/place_window.h"

#include "base/bottom_right.h"
#include "base/monitors.h"
#include "base/win32_values.h"

void PlaceAtBottomRight(HWND window, HWND anchor)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return;
    HWND const reference = anchor != nullptr ? anchor : window;
    RECT const area = WorkAreaNear(reference);
    Point const at = BottomRightPosition(ToRect(area), rect.right - rect.left, rect.bottom - rect.top,
                                         SystemMetricAtDpi(SM_CYCAPTION, DpiOfWindow(reference)));
    // Never activates: the parked bar must not take the focus from the user's window.
    SetWindowPos(window, HWND_TOPMOST, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}
