// A window's attribute set in or read from the desktop window manager, where there is one.
#pragma once

#include <windows.h>

// DwmGetWindowAttribute, loaded at run time from the system folder (once):
// E_NOTIMPL where the system has no dwmapi.
HRESULT DwmWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size);
// DwmSetWindowAttribute likewise.
HRESULT SetDwmWindowAttribute(HWND window, DWORD attribute, void const* value, DWORD size);
