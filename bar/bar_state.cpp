#include "bar/bar_state.h"

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

}  // namespace

void CreateBarLook(HINSTANCE instance, int32_t captionHeight)
{
    g_barLook.activeCaption = GetSysColor(COLOR_ACTIVECAPTION);
    g_barLook.activeCaptionText = GetSysColor(COLOR_CAPTIONTEXT);
    g_barLook.inactiveCaption = GetSysColor(COLOR_INACTIVECAPTION);
    g_barLook.inactiveCaptionText = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    g_barLook.font = CreateBarFont(captionHeight);
    g_barLook.stateBitmap = LoadBitmapW(instance, MAKEINTRESOURCEW(IDB_STATES));
}

void DeleteBarLook()
{
    if (g_barLook.font != nullptr) {
        DeleteObject(g_barLook.font);
        g_barLook.font = nullptr;
    }
    if (g_barLook.stateBitmap != nullptr) {
        DeleteObject(g_barLook.stateBitmap);
        g_barLook.stateBitmap = nullptr;
    }
}

void LayOutBar(int32_t captionHeight, int32_t barWidth)
{
    g_barLayout.captionHeight = captionHeight;
    g_barLayout.barWidth = barWidth;
    g_barLayout.geometry = ComputeBarGeometry(captionHeight, barWidth);
    g_barLayout.outline = BuildFrameOutline(g_barLayout.geometry.frame);
}

void SetCaptionActive(HWND bar, bool active)
{
    if (active == g_barView.captionActive)
        return;
    g_barView.captionActive = active;
    RECT const frame = ToRECT(g_barLayout.geometry.frame);
    InvalidateRect(bar, &frame, FALSE);
}
