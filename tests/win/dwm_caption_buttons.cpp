// Stands in for base/dwm_attribute.cpp where DWM is wanted and Wine has
// none (its DwmGetWindowAttribute answers E_NOTIMPL): for a window whose
// title holds "dwm", DWMWA_CAPTION_BUTTON_BOUNDS answers three 46-pixel
// buttons at the right end of its caption, in window-relative coordinates,
// as Windows 10 and 11 draw them at 100 %. Every other question, and every
// other window, gets E_NOTIMPL, as from Wine.
#include <windows.h>

#include "base/dwm_attribute.h"
#include "tests/win/dwm_caption_buttons.h"

HRESULT DwmWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size)
{
    wchar_t title[32];
    TITLEBARINFO info{};
    info.cbSize = sizeof info;
    RECT frame;
    if (attribute != 5 || size != sizeof(RECT) || GetWindowTextW(window, title, 32) == 0 ||
        wcsstr(title, L"dwm") == nullptr || !GetTitleBarInfo(window, &info) || !GetWindowRect(window, &frame))
        return E_NOTIMPL;
    RECT const& bar = info.rcTitleBar;
    *static_cast<RECT*>(value) = RECT{bar.right - frame.left - 3 * DWM_BUTTON, bar.top - frame.top,
                                      bar.right - frame.left, bar.bottom - frame.top};
    return S_OK;
}
