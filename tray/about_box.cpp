#include "tray/about_box.h"

#include "base/instance.h"
#include "base/app_mode.h"
#include "base/place_window.h"
#include "base/ui_resources.h"
#include "res/resource.h"

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        PlaceAtBottomRight(dialog, GetWindow(dialog, GW_OWNER));
        TitleBarFollowsAppMode(dialog);
        return TRUE;  // the OK button takes the focus
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void ShowAboutBox(HWND bar)
{
    UiDialogBox(g_instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), bar, AboutDialogProc, 0);
}
