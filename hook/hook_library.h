// The calls into CBT.dll, through pointers that tests can replace.
#pragma once

#include <windows.h>

extern int(WINAPI* g_installCbtHook)();
extern int(WINAPI* g_uninstallCbtHook)();
extern int(WINAPI* g_canAdhere)(HWND target, RECT* rect);
extern void(WINAPI* g_moveOwnerWindow)(HWND bar, RECT* rect);
