// The shutdown confirmation (template 134): twenty seconds on its OK button,
// then it confirms by itself.
#pragma once

#include <windows.h>

LONG const CONFIRM_SECONDS = 20;

// lParam nonzero: the moment passed while the machine slept, so the twenty
// seconds run only while a person can see them.
INT_PTR CALLBACK ShutdownConfirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The confirmation while it is open, else null.
HWND OpenConfirmDialog();

// The user's session was locked, unlocked, attached or detached.
void OnConfirmPresenceChange();
