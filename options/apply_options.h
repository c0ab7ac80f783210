// Command IDM_OPTIONS: the Options dialog and taking its result back into
// the running bar.
#pragma once

#include <windows.h>

// Opens the Options dialog (or brings the open one forward) and applies what
// OK changed, each value with its own immediate effect. Returns 0.
LRESULT ApplyOptions(HWND bar);

// The calls ApplyOptions makes, replaceable so that tests can observe them.
extern INT_PTR(WINAPI* g_optionsDialogBox)(HINSTANCE instance, LPCWSTR templateName, HWND owner,
                                           DLGPROC procedure, LPARAM param);
extern BOOL(WINAPI* g_killTimer)(HWND window, UINT_PTR timer);
extern UINT_PTR(WINAPI* g_setTimer)(HWND window, UINT_PTR timer, UINT elapse, TIMERPROC procedure);
extern LONG(WINAPI* g_setWindowLong)(HWND window, int index, LONG value);
extern BOOL(WINAPI* g_showWindow)(HWND window, int command);
extern BOOL(WINAPI* g_setLayeredWindowAttributes)(HWND window, COLORREF key, BYTE alpha, DWORD flags);
extern void (*g_updateAutostartEntry)(LONG enabled);
