#include "bar/follower.h"

#include "bar/full_screen_watch.h"
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
        WatchFullScreenWhileFloating(bar, false);
        // Placed first: the library starts from the window it was placed on.
        PlaceOnForegroundCaption(bar);
        InstallCBTHook();
    } else {
        UninstallCBTHook();
        WatchFullScreenWhileFloating(bar, true);
    }
}

void StopFollowingWindows(HWND bar)
{
    UninstallCBTHook();
    WatchFullScreenWhileFloating(bar, false);
}
