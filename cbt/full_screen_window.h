// Whether a window is a full-screen one (a video, a game, a presentation) on
// a monitor: then the bar keeps out of its way.
#pragma once

#include <windows.h>

#include "cbt/caption_placement.h"

// window, read into shape (and probed, where it has no system caption), is
// on monitor and full screen there (IsFullScreen).
bool IsFullScreenShapeOn(HWND window, CarrierWindow const& shape, HMONITOR monitor);

// window is shown, on monitor, covers all of it and shows no caption there:
// neither a system caption nor a self-drawn one (a row captionHeight / 2
// down answering caption with buttons beside it). Never the desktop.
bool IsFullScreenOn(HWND window, HMONITOR monitor, int captionHeight);
