#include "bar/follower.h"

#include "base/messages.h"
#include "base/place_window.h"
#include "cbt/cbt.h"

void PlaceOnForegroundCaption(HWND bar)
{
    HWND foreground = GetForegroundWindow();
    RECT rect;
    if (foreground != nullptr && GetWindowRect(foreground, &rect) && CanAdhere(foreground, &rect))
        MoveOwnerWindow(bar, &rect);
    else
        PlaceAtBottomRight(bar, nullptr);
}

void FollowWindows(HWND bar, bool ride)
{
    DWORD const style = ride ? BAR_EXSTYLE_ADHERING : BAR_EXSTYLE_FLOATING;
    if (static_cast<DWORD>(GetWindowLongW(bar, GWL_EXSTYLE)) != style)
        SetWindowLongW(bar, GWL_EXSTYLE, static_cast<LONG>(style));
    if (ride) {
        // Placed first: the library starts from the window it was placed on.
        PlaceOnForegroundCaption(bar);
        InstallCBTHook();
    } else {
        // Off the caption first (a hidden bar shown again), then watched
        // for a full-screen window only.
        UninstallCBTHook();
        FloatCBTHook();
    }
}

void StopFollowingWindows(HWND)
{
    UninstallCBTHook();
}
