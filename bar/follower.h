// Where the bar is, and the one switch between its two ways of being there.
// CBT.dll is the one follower of the foreground window in both: riding, it
// puts the bar on the foreground window's caption, parks it or hides it for
// a full-screen window; floating, the bar stays where the user put it and
// the library hides it only for a full-screen window in front.
#pragma once

#include <windows.h>

// Rides (placed on the foreground window's caption at once, or parked) or
// floats from now on: the window style and the library's way of following,
// switched together. From start-up and from Options.
void FollowWindows(HWND bar, bool ride);

// The bar ends: nothing is followed any more.
void StopFollowingWindows(HWND bar);

// Puts a riding bar on the foreground window's caption, or parks it at the
// bottom-right of its monitor's work area when that window cannot carry it.
void PlaceOnForegroundCaption(HWND bar);
