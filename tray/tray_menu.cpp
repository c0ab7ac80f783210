#include "tray/tray_menu.h"

#include "base/ui_resources.h"
#include "res/resource.h"

namespace {

void RenameAutoShutdownToCancel(HMENU popup, UINT cancelText)
{
    WCHAR text[32];
    LoadUiString(cancelText, text, ARRAYSIZE(text));
    MENUITEMINFOW item;
    ZeroMemory(&item, sizeof item);
    item.cbSize = sizeof item;
    item.fMask = MIIM_TYPE;
    item.fType = MFT_STRING;
    item.dwTypeData = text;
    item.cch = ARRAYSIZE(text);
    SetMenuItemInfoW(popup, IDM_AUTOSHUTDOWN, FALSE, &item);
}

void AddTenMinutesAboveCancel(HMENU popup)
{
    WCHAR text[32];
    LoadUiString(IDS_TRAY_ADD_TEN_MINUTES, text, ARRAYSIZE(text));
    InsertMenuW(popup, IDM_AUTOSHUTDOWN, MF_BYCOMMAND | MF_STRING, IDM_ADD_TEN_MINUTES, text);
}

}  // namespace

LRESULT OnTrayNotify(HWND bar, LPARAM lParam, CountdownMenu countdown)
{
    if (LOWORD(lParam) != WM_RBUTTONUP)
        return 1;

    // Loaded afresh each time, so the first item reads "自动关机" again as
    // soon as no countdown runs, and in the language chosen last.
    HMENU menu = LoadUiMenu(IDM_CONTEXT);
    if (menu == nullptr)
        return 1;
    HMENU popup = GetSubMenu(menu, 0);
    if (popup != nullptr) {
        if (countdown.cancelText != 0)
            RenameAutoShutdownToCancel(popup, countdown.cancelText);
        if (countdown.addTenMinutes)
            AddTenMinutesAboveCancel(popup);
        POINT cursor;
        GetCursorPos(&cursor);
        // A menu whose owner is not the foreground window never gets the
        // keyboard: Escape, the arrows and Enter would go elsewhere.
        SetForegroundWindow(bar);
        TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, bar, nullptr);
        // Lets the menu close properly when the next click lands elsewhere.
        PostMessageW(bar, WM_NULL, 0, 0);
    }
    DestroyMenu(menu);
    return 1;
}
