// The bar window's procedure: the hub of the running program.
#pragma once

#include <windows.h>

LRESULT CALLBACK BarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
