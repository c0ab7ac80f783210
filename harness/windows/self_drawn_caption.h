// A caption a window draws itself, as browsers and editors do: CAPTION
// pixels high, at its right end four BUTTON-pixel buttons (close, maximise,
// minimise, help) that answer WM_NCHITTEST as such, left of them an
// EXTRA-pixel button of the window's own that answers client (a browser's
// tab search), and free caption beyond. Shared by the Windows tests and the
// end-to-end test windows.
#pragma once

#include <windows.h>

int const SELF_DRAWN_CAPTION = 32, SELF_DRAWN_BUTTON = 46, SELF_DRAWN_EXTRA = 40;

// What such a window answers at point (screen coordinates, as WM_NCHITTEST's lParam).
inline LRESULT SelfDrawnHitTest(HWND window, LPARAM point)
{
    RECT frame;
    GetWindowRect(window, &frame);
    int const x = static_cast<short>(LOWORD(point)), y = static_cast<short>(HIWORD(point));
    if (y - frame.top >= SELF_DRAWN_CAPTION)
        return HTCLIENT;
    int const fromRight = frame.right - 1 - x;
    LRESULT const buttons[] = {HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTHELP};
    if (fromRight >= 0 && fromRight < 4 * SELF_DRAWN_BUTTON)
        return buttons[fromRight / SELF_DRAWN_BUTTON];
    return fromRight < 4 * SELF_DRAWN_BUTTON + SELF_DRAWN_EXTRA ? HTCLIENT : HTCAPTION;
}
