// The Options dialog (template IDD_OPTIONS): edits the option values.
#pragma once

#include <windows.h>

#include "options/option_changes.h"

// The dialog's creation parameter, one per opening.
struct OptionsDialogParam {
    HWND ownerWindow;     // the bar; the dialog does not read it
    OptionValues values;  // edited in place
};

// The Options dialog while it is open, else null.
extern HWND g_openOptionsDialog;

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
