// The auto-shutdown's questions and warnings: string-table texts in a
// message box that tests can answer instead of the user.
#pragma once

#include <windows.h>

// The message box call; tests record the texts and give the answer.
extern int(WINAPI* g_messageBox)(HWND, LPCWSTR, LPCWSTR, UINT);

// Shows a message with a string-table text and caption through g_messageBox.
int ShowMessage(HWND owner, UINT textId, UINT captionId, UINT flags);
