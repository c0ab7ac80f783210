#include "hook/hook_library.h"

#include "cbt/cbt.h"

int(WINAPI* g_installCbtHook)() = InstallCBTHook;
int(WINAPI* g_uninstallCbtHook)() = UninstallCBTHook;
int(WINAPI* g_canAdhere)(HWND, RECT*) = CanAdhere;
void(WINAPI* g_moveOwnerWindow)(HWND, RECT*) = MoveOwnerWindow;
