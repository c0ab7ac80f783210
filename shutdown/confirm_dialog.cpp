#include "shutdown/confirm_dialog.h"

#include "base/messages.h"
#include "base/app_mode.h"
#include "base/place_window.h"
#include "base/ui_resources.h"
#include "res/resource.h"
#include "shutdown/session_presence.h"

namespace {

HWND g_openDialog;
LONG g_secondsLeft;
bool g_waitsForPerson;  // opened after a sleep: counts only while someone can see it
bool g_counting;

// Asked of Windows each time, as its notifications may have been missed.
bool MayCount()
{
    AskSessionState();
    return g_waitsForPerson ? IsPersonPresent() : IsSessionAttached();
}

void ShowSecondsLeft(HWND dialog)
{
    WCHAR format[32] = L"";
    LoadUiString(IDS_SHUTDOWN_CONFIRM_OK, format, ARRAYSIZE(format));
    WCHAR text[64];
    wsprintfW(text, format, static_cast<long>(g_secondsLeft));
    SetDlgItemTextW(dialog, IDOK, text);
}

void StartCounting(HWND dialog)
{
    g_counting = true;
    g_secondsLeft = CONFIRM_SECONDS;
    SetTimer(dialog, IDT_CONFIRM, 1000, nullptr);
}

// The person who left is not the one to be counted down on: the twenty
// seconds start again when someone is back.
void StopCounting(HWND dialog)
{
    g_counting = false;
    KillTimer(dialog, IDT_CONFIRM);
    g_secondsLeft = CONFIRM_SECONDS;
    ShowSecondsLeft(dialog);
}

void ShowActionTexts(HWND dialog, ShutdownAction action)
{
    WCHAR text[128] = L"";
    if (LoadUiString(IDS_SHUTDOWN_CONFIRM_TITLE + action, text, ARRAYSIZE(text)))
        SetWindowTextW(dialog, text);
    if (LoadUiString(IDS_SHUTDOWN_CONFIRM_TEXT + action, text, ARRAYSIZE(text)))
        SetDlgItemTextW(dialog, IDC_CONFIRM_TEXT, text);
}

void OnInitDialog(HWND dialog, LPARAM param)
{
    g_openDialog = dialog;
    g_waitsForPerson = (param & 1) != 0;
    LPARAM const action = param >> 1;
    ShowActionTexts(dialog, action > ACTION_SHUTDOWN && action < SHUTDOWN_ACTION_COUNT
                                ? static_cast<ShutdownAction>(action)
                                : ACTION_SHUTDOWN);
    g_counting = false;
    g_secondsLeft = CONFIRM_SECONDS;
    PlaceAtBottomRight(dialog, GetWindow(dialog, GW_OWNER));
    TitleBarFollowsAppMode(dialog);
    if (MayCount())
        StartCounting(dialog);
}

void OnSecond(HWND dialog)
{
    if (!g_counting)
        return;
    g_secondsLeft -= 1;
    ShowSecondsLeft(dialog);
    if (g_secondsLeft <= 0) {
        KillTimer(dialog, IDT_CONFIRM);
        EndDialog(dialog, IDOK);
    }
}

}  // namespace

LPARAM ConfirmParam(ShutdownAction action, bool waitsForPerson)
{
    return static_cast<LPARAM>(action) << 1 | (waitsForPerson ? 1 : 0);
}

HWND OpenConfirmDialog()
{
    return g_openDialog;
}

void OnConfirmPresenceChange()
{
    HWND const dialog = g_openDialog;
    if (dialog == nullptr)
        return;
    if (!MayCount()) {
        StopCounting(dialog);
        return;
    }
    if (g_counting)
        return;
    StartCounting(dialog);
    // On top of whatever the user comes back to, so that it can be declined.
    // Windows seldom lets a program in the background take the focus: the
    // foreground is asked for, not counted on.
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(dialog);
}

INT_PTR CALLBACK ShutdownConfirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, lParam);
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
        case IDC_CONFIRM_LATER:
            KillTimer(dialog, IDT_CONFIRM);
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
