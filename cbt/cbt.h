// The interface of CBT.dll, the hook library that keeps the bar on the
// foreground window's caption. Exported undecorated through cbt.def.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

int WINAPI InstallCBTHook(void);
int WINAPI UninstallCBTHook(void);
// Nonzero when the bar may ride on target; leaves in rect what
// MoveOwnerWindow needs.
int WINAPI CanAdhere(HWND target, RECT* rect);
void WINAPI MoveOwnerWindow(HWND bar, RECT* rect);

#ifdef __cplusplus
}
#endif

// What the library posts to the bar (the record's barWindow) when the caption
// it rides on changes state: wParam 1 active, 0 inactive.
static UINT const WM_CAPTIONSTATE = WM_USER + 100;
