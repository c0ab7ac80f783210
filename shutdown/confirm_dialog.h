// The shutdown confirmation (template 134): twenty seconds on its OK button,
// then it confirms by itself.
#pragma once

#include <windows.h>

#include "settings/settings_table.h"

LONG const CONFIRM_SECONDS = 20;

// The dialog's parameter: the action it asks about, and whether it waits for a person.
LPARAM ConfirmParam(ShutdownAction action, bool waitsForPerson);

// Ends with IDOK (the user, Enter or the twentieth second), IDCANCEL, or
// IDC_CONFIRM_LATER for ten more minutes. Its caption and question are the
// action's. Waiting for a person: the moment passed while the machine slept, so the twenty
// seconds run only while a person can see them. Otherwise they run unattended,
// locked or not, but only while this session is the one in use: never
// under another user who was switched to and saw no warning.
INT_PTR CALLBACK ShutdownConfirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The confirmation while it is open, else null.
HWND OpenConfirmDialog();

// The user's session was locked, unlocked, attached or detached, or the
// display went off or on.
void OnConfirmPresenceChange();
