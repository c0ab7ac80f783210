// The bar's two colours, the caption colour and the caption text colour, so
// that it looks like part of the caption it rides on: where they come from
// and when they are read again.
#pragma once

#include <windows.h>

// The system's own theme, active and inactive: the floating bar's colours,
// and a riding bar's until it has read its carrier's.
void ReadCaptionColours();

// Something that changes the colours beside the bar happened (it moved or
// was shown again, its caption or the caption's state changed, the theme or
// the wallpaper changed): they are read again once that has settled, so
// that a fading caption is read at its end.
void ScheduleCaptionColours(HWND bar);

// The settling time is over: the colours of the caption the bar rides on
// (riding) or of the system's theme, and a repaint if they changed.
void OnCaptionColoursTimer(HWND bar, bool riding);

// WM_SETTINGCHANGE for the theme's colours, the accent or dark mode
// ("ImmersiveColorSet"), or the wallpaper.
bool ChangesCaptionColours(WPARAM setting, LPARAM area);
