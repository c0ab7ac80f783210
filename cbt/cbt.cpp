// Minimal library: the hooks are not installed yet and no window can carry the bar.
#include "cbt/cbt.h"

int WINAPI InstallCBTHook(void)
{
    return 1;
}

int WINAPI UninstallCBTHook(void)
{
    return 1;
}

int WINAPI CanAdhere(HWND, RECT*)
{
    return 0;
}

void WINAPI MoveOwnerWindow(HWND, RECT*)
{
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
