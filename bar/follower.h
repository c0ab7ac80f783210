// Where the bar is, and the one switch between its two ways of being there:
// riding, CBT.dll follows the windows and puts the bar on the foreground
// window's caption, parks it or hides it for a full-screen window;
// floating, the bar stays where the user put it and hides for a
// full-screen window in front (full_screen_watch).
#pragma once

#include <windows.h>

// Rides (placed on the foreground window's caption at once, or parked) or
// floats from now on: the window style, the library's hooks and the
// full-screen watch, switched together. From start-up and from Options.
void FollowWindows(HWND bar, bool ride);

// The bar ends: nothing is followed any more.
void StopFollowingWindows(HWND bar);

// Puts a riding bar on the foreground window's caption, or parks it at the
// bottom-right of its monitor's work area when that window cannot carry it.
void PlaceOnForegroundCaption(HWND bar);
