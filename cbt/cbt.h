// The interface of CBT.dll, the hook library that follows the foreground
// window: it keeps a riding bar on its caption, and any bar out of the way
// of a full-screen window. Exported undecorated through cbt.def.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// The bar rides on the foreground window's caption from now on (and stops
// floating); 0 when it rides already or the hooks could not be set.
int WINAPI InstallCBTHook(void);
// The bar floats from now on (and stops riding): it is hidden only while a
// full-screen window is in front on its monitor; 0 when it floats already.
int WINAPI FloatCBTHook(void);
// Nothing is followed any more, in either way, and a hidden bar is shown.
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
