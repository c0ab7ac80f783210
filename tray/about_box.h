// The About box, dialog 103.
#pragma once

#include <windows.h>

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Command 104: the modal box, owned by the bar; its result does not matter.
void ShowAboutBox(HWND bar);
