#include "shutdown/confirm_dialog.h"

#include "app/messages.h"
#include "app/placement.h"
#include "app/state.h"
#include "res/resource.h"

namespace {

void OnInitDialog(HWND dialog)
{
    g_confirmDialog = dialog;
    PlaceAtBottomRight(dialog);
    g_confirmCountdown = CONFIRM_SECONDS;
    SetTimer(dialog, IDT_CONFIRM, 1000, nullptr);
}

void OnSecond(HWND dialog)
{
    g_confirmCountdown -= 1;
    WCHAR format[32] = L"";
    LoadStringW(g_instance, IDS_SHUTDOWN_CONFIRM_OK, format, ARRAYSIZE(format));
    WCHAR text[64];
    wsprintfW(text, format, static_cast<long>(g_confirmCountdown));
    SetDlgItemTextW(dialog, IDOK, text);
    if (g_confirmCountdown <= 0) {
        KillTimer(dialog, IDT_CONFIRM);
        EndDialog(dialog, IDOK);
    }
}

}  // namespace

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
        if (g_confirmDialog == dialog)
            g_confirmDialog = nullptr;
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
