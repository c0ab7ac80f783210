// The auto-shutdown's questions and warnings: string-table texts in a
// message box.
#pragma once

#include <windows.h>

// Shows a message with a string-table text and caption.
int ShowMessage(HWND owner, UINT textId, UINT captionId, UINT flags);
