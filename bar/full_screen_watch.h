// The floating bar out of the way of a full-screen window (a video, a game,
// a presentation) in front on its monitor, as the riding bar is kept by the
// library: it follows the foreground by a window event of its own.
#pragma once

#include <windows.h>

// floating: the bar hides while a full-screen window is in front on its
// monitor and is back once that window leaves full screen, goes or loses
// the foreground. Not floating: nothing is watched, and the bar is shown
// again if this hid it.
void WatchFullScreenWhileFloating(HWND bar, bool floating);
