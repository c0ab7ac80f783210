// The shutdown confirmation (template 134): twenty seconds on its OK button,
// then it confirms by itself.
#pragma once

#include <windows.h>

LONG const CONFIRM_SECONDS = 20;

// lParam nonzero: the moment passed while the machine slept, so the twenty
// seconds run only while a person can see them. Zero: they run unattended,
// locked or not, but only while this session is the one in use: never
// under another user who was switched to and saw no warning.
INT_PTR CALLBACK ShutdownConfirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The confirmation while it is open, else null.
HWND OpenConfirmDialog();

// The user's session was locked, unlocked, attached or detached, or the
// display went off or on.
void OnConfirmPresenceChange();
