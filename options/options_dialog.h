// The Options dialog (template IDD_OPTIONS): edits five settings of a copy.
#pragma once

#include <windows.h>

#include "app/state.h"

// The dialog's creation parameter, one per opening.
struct OptionsDialogParam {
    HWND ownerWindow;       // the bar; the dialog does not read it
    SettingsBlock settings; // the copy: Interval, Alpha, Adhere, IgnoreDUI and AutoRun are edited in place
};

// The Options dialog while it is open, else null.
extern HWND g_openOptionsDialog;

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
