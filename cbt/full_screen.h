// Whether a window is full screen: pure arithmetic on its rectangle and its
// monitor's, in screen coordinates.
#pragma once

#include "base/rect.h"

// window covers all of monitor and shows no caption on it (a video, a game,
// a presentation). A maximised window covers its monitor's work area at most,
// or shows its caption: either way it is not full screen.
bool IsFullScreenWindow(Rect const& window, Rect const& monitor, bool captionShown);
