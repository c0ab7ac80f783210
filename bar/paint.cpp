#include "bar/paint.h"

#include "app/state.h"

// Until the real drawing lands the bar is keyed out except for its text.
void PaintBar(HDC dc, RECT const& client)
{
    HBRUSH key = CreateSolidBrush(g_settings.colourKey);
    FillRect(dc, &client, key);
    DeleteObject(key);

    RECT fill{g_geometry.fill.left, g_geometry.fill.top, g_geometry.fill.right, g_geometry.fill.bottom};
    int const oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF const oldColour = SetTextColor(dc, g_settings.activeCaptionText);
    DrawTextW(dc, g_settings.barText, -1, &fill, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

void OnPaint(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    PaintBar(dc, client);
    EndPaint(window, &ps);
}
