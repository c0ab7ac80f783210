#include "bar/bar_state.h"

#include <initializer_list>

#include "bar/bar_colours.h"
#include "base/monitors.h"
#include "base/win32_values.h"
#include "res/resource.h"

BarLook g_barLook;
BarLayout g_barLayout;
BarView g_barView;

namespace {

HFONT CreateBarFont(int captionHeight)
{
    LOGFONTW font;
    ZeroMemory(&font, sizeof font);
    font.lfHeight = captionHeight - 12;  // positive: matched by cell height
    font.lfWeight = FW_NORMAL;
    lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

void DeleteBarFont()
{
    if (g_barLook.font == nullptr)
        return;
    DeleteObject(g_barLook.font);
    g_barLook.font = nullptr;
}

// The widest of the texts the bar shows: full charge, no reading, and a
// countdown of hours and minutes.
int32_t WidestBarText(HFONT font)
{
    if (font == nullptr)
        return 0;
    HDC screen = GetDC(nullptr);
    if (screen == nullptr)
        return 0;
    HGDIOBJ old = SelectObject(screen, font);
    int32_t widest = 0;
    for (wchar_t const* text : {L"100%", L"NA", L"23:59"}) {
        SIZE size;
        if (GetTextExtentPoint32W(screen, text, lstrlenW(text), &size) && size.cx > widest)
            widest = size.cx;
    }
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return widest;
}

}  // namespace

void CreateBarLook(HINSTANCE instance)
{
    ReadCaptionColours();
    g_barLook.stateBitmap = LoadBitmapW(instance, MAKEINTRESOURCEW(IDB_STATES));
}

void DeleteBarLook()
{
    DeleteBarFont();
    if (g_barLook.stateBitmap != nullptr) {
        DeleteObject(g_barLook.stateBitmap);
        g_barLook.stateBitmap = nullptr;
    }
}

void LayOutBar(int32_t captionHeight, int32_t barWidth, int32_t dpi, int32_t textWidth, int32_t maxWidth)
{
    g_barLayout.captionHeight = captionHeight;
    g_barLayout.barWidth = barWidth;
    g_barLayout.dpi = dpi;
    g_barLayout.geometry = ComputeBarGeometry(captionHeight, barWidth, dpi, textWidth, maxWidth);
    g_barLayout.outline = BuildFrameOutline(g_barLayout.geometry.frame, g_barLayout.geometry.nubWidth);
}

void LayOutBarForDisplay(HWND window, int32_t barWidth, UINT dpi)
{
    if (dpi == 0)
        dpi = DpiOfWindow(window);
    int32_t const captionHeight = SystemMetricAtDpi(SM_CYCAPTION, dpi);
    HFONT font = CreateBarFont(captionHeight);
    DeleteBarFont();
    g_barLook.font = font;
    RECT const area = WorkAreaNear(window);
    LayOutBar(captionHeight, barWidth, static_cast<int32_t>(dpi), WidestBarText(font), area.right - area.left);
}

void ShowCountdown(HWND bar, wchar_t const* timeLeft, int32_t percent)
{
    lstrcpynW(g_barView.text, timeLeft, ARRAYSIZE(g_barView.text));
    g_barView.percent = percent;
    InvalidateRect(bar, nullptr, FALSE);
}

void SetCaptionActive(HWND bar, bool active)
{
    if (active == g_barView.captionActive)
        return;
    g_barView.captionActive = active;
    RECT const frame = ToRECT(g_barLayout.geometry.frame);
    InvalidateRect(bar, &frame, FALSE);
    ScheduleCaptionColours(bar);
}
