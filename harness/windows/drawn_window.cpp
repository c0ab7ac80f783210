// Windows that draw their own captions, as most do on a Windows 11 desktop,
// and one that covers its monitor, for the end-to-end tests:
//   drawn_window drawn|captioned|fullscreen TITLE X Y WIDTH HEIGHT [RRGGBB]
// "drawn" has no WS_CAPTION; "captioned" has one, but makes its whole window
// client area and paints the caption itself. Both paint a caption band of
// CAPTION pixels in RRGGBB (default 202020) with the title in black or
// white, four BUTTON-pixel buttons at its right end (close, maximise,
// minimise, help) that answer WM_NCHITTEST as such, an EXTRA-pixel client
// button left of them (a browser's tab search) and free caption beyond
// (harness/windows/self_drawn_caption.h).
// "fullscreen" is a borderless window in RRGGBB covering the monitor at X, Y
// (WIDTH and HEIGHT unused). Ends on WM_CLOSE.
#include <windows.h>

#include <cwchar>

#include "harness/windows/window_program.h"
#include "harness/windows/self_drawn_caption.h"

namespace {

int const CAPTION = SELF_DRAWN_CAPTION, BUTTON = SELF_DRAWN_BUTTON, EXTRA = SELF_DRAWN_EXTRA;

bool g_fullScreen;  // no caption at all
COLORREF g_caption = RGB(32, 32, 32);
COLORREF g_text;
wchar_t const* g_title;

void Line(HDC dc, int x0, int y0, int x1, int y1)
{
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

// The band, the title and a glyph for each button, as a browser draws them.
void PaintCaption(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    RECT band{0, 0, client.right, CAPTION};
    HBRUSH brush = CreateSolidBrush(g_caption);
    FillRect(dc, &band, brush);
    DeleteObject(brush);
    RECT body{0, CAPTION, client.right, client.bottom};
    FillRect(dc, &body, static_cast<HBRUSH>(GetStockObject(g_text == RGB(255, 255, 255) ? BLACK_BRUSH : WHITE_BRUSH)));

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, g_text);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT title{12, 0, client.right - 4 * BUTTON - EXTRA, CAPTION};
    DrawTextW(dc, g_title, -1, &title, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    SelectObject(dc, oldFont);

    HPEN pen = CreatePen(PS_SOLID, 1, g_text);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    int const m = CAPTION / 2;
    int const close = client.right - BUTTON / 2, max = close - BUTTON, min = max - BUTTON, help = min - BUTTON;
    Line(dc, close - 5, m - 5, close + 6, m + 6);
    Line(dc, close + 5, m - 5, close - 6, m + 6);
    Rectangle(dc, max - 5, m - 5, max + 5, m + 5);
    Line(dc, min - 5, m, min + 6, m);
    Ellipse(dc, help - 4, m - 7, help + 4, m + 1);
    Line(dc, help, m + 3, help, m + 6);
    int const extra = help - BUTTON / 2 - EXTRA / 2;
    Ellipse(dc, extra - 6, m - 6, extra + 6, m + 6);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

LRESULT CALLBACK DrawnWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_fullScreen && message != WM_DESTROY)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_NCCALCSIZE:
        return 0;  // all of the window is client: the caption is drawn here
    // Nothing of the system's caption, active or not, over the one drawn here.
    case WM_NCPAINT:
        return 0;
    case WM_NCACTIVATE:
        InvalidateRect(window, nullptr, FALSE);
        return TRUE;
    case WM_NCHITTEST:
        return SelfDrawnHitTest(window, lParam);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        PaintCaption(window, dc);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    WindowArguments a;
    if (!ReadWindowArguments(&a))
        return 2;
    if (a.coloured)
        g_caption = a.colour;
    int const light = GetRValue(g_caption) * 299 + GetGValue(g_caption) * 587 + GetBValue(g_caption) * 114;
    g_text = light < 128000 ? RGB(255, 255, 255) : RGB(0, 0, 0);
    g_title = a.title;
    g_fullScreen = wcscmp(a.kind, L"fullscreen") == 0;

    DWORD style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    if (wcscmp(a.kind, L"captioned") == 0) {
        style = WS_OVERLAPPEDWINDOW;
    } else if (g_fullScreen) {
        style = WS_POPUP;
        MONITORINFO monitor;
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromPoint(POINT{a.x, a.y}, MONITOR_DEFAULTTONEAREST), &monitor);
        a.x = monitor.rcMonitor.left;
        a.y = monitor.rcMonitor.top;
        a.width = monitor.rcMonitor.right - a.x;
        a.height = monitor.rcMonitor.bottom - a.y;
    }
    return RunTestWindow(instance, g_fullScreen ? L"BrisvaneFullScreen" : L"BrisvaneDrawnWindow", DrawnWindowProc,
                         CreateSolidBrush(g_caption), 0, style, a);
}
