// The system calls whose answer a test changes while it runs: the program
// makes these through this table, whose rows point at the real calls. A
// test points a row at its own answer and back; what a whole test program
// replaces once is linked in place of the call instead (tests/win/stubs).
#pragma once

#include <windows.h>

struct SystemCalls {
    BOOL(WINAPI* GetSystemPowerStatus)(LPSYSTEM_POWER_STATUS status);
    // Its NTSTATUS is a LONG.
    LONG(WINAPI* CallNtPowerInformation)(POWER_INFORMATION_LEVEL level, PVOID input, ULONG inputSize, PVOID output,
                                         ULONG outputSize);
    void(WINAPI* GetLocalTime)(LPSYSTEMTIME time);
    void(WINAPI* GetSystemTimeAsFileTime)(LPFILETIME time);
    DWORD(WINAPI* GetModuleFileNameW)(HMODULE module, LPWSTR path, DWORD size);
    LSTATUS(WINAPI* RegOpenKeyExW)(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
    // A dialog in the language chosen (base/ui_resources).
    INT_PTR(WINAPI* UiDialogBox)(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC procedure,
                                 LPARAM param);
    // The machine's sleep states, and sleeping or hibernating it (powrprof,
    // taken when first asked).
    BOOLEAN(WINAPI* GetPwrCapabilities)(PSYSTEM_POWER_CAPABILITIES capabilities);
    BOOLEAN(WINAPI* SetSuspendState)(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeEventsOff);
};

extern SystemCalls g_system;
