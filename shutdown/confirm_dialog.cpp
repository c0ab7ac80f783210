#include "shutdown/confirm_dialog.h"

#include "base/messages.h"
#include "base/place_window.h"
#include "base/ui_resources.h"
#include "res/resource.h"

namespace {

HWND g_openDialog;
LONG g_secondsLeft;

void OnInitDialog(HWND dialog)
{
    g_openDialog = dialog;
    PlaceAtBottomRight(dialog, GetWindow(dialog, GW_OWNER));
    g_secondsLeft = CONFIRM_SECONDS;
    SetTimer(dialog, IDT_CONFIRM, 1000, nullptr);
}

void OnSecond(HWND dialog)
{
    g_secondsLeft -= 1;
    WCHAR format[32] = L"";
    LoadUiString(IDS_SHUTDOWN_CONFIRM_OK, format, ARRAYSIZE(format));
    WCHAR text[64];
    wsprintfW(text, format, static_cast<long>(g_secondsLeft));
    SetDlgItemTextW(dialog, IDOK, text);
    if (g_secondsLeft <= 0) {
        KillTimer(dialog, IDT_CONFIRM);
        EndDialog(dialog, IDOK);
    }
}

}  // namespace

HWND OpenConfirmDialog()
{
    return g_openDialog;
}

INT_PTR CALLBACK ShutdownConfirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_TIMER:
        OnSecond(dialog);
        return TRUE;
    case WM_DESTROY:
        if (g_openDialog == dialog)
            g_openDialog = nullptr;
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            KillTimer(dialog, IDT_CONFIRM);
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
