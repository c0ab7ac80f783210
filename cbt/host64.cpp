// CBT64Host.exe: keeps CBT64.dll's hooks installed for the 32-bit program,
// which cannot load a 64-bit library itself, so that the bar also rides on
// windows of 64-bit programs.
//   CBT64Host PROGRAM_PROCESS_ID
// Ends on a WM_QUIT posted to its thread or when the program's process ends,
// so a program that is killed leaves no hooks behind. No window, no error box.
#include <windows.h>

#include <cwchar>

#include "cbt/cbt.h"

namespace {

wchar_t const HOST_MUTEX_NAME[] = L"Brisvane_CBT64Host";
wchar_t const LIBRARY_NAME[] = L"CBT64.dll";

typedef decltype(&InstallCBTHook) InstallFunction;
typedef decltype(&UninstallCBTHook) UninstallFunction;

// The library from this program's own folder, never from the search path.
HMODULE LoadLibraryBesideHost()
{
    wchar_t path[MAX_PATH];
    DWORD const length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    wchar_t* name = wcsrchr(path, L'\\');
    size_t const nameLength = sizeof LIBRARY_NAME / sizeof LIBRARY_NAME[0];
    if (name == nullptr || (name + 1 - path) + nameLength > MAX_PATH)
        return nullptr;
    lstrcpyW(name + 1, LIBRARY_NAME);
    return LoadLibraryW(path);
}

HANDLE OpenProgram(wchar_t const* commandLine)
{
    wchar_t* end = nullptr;
    unsigned long const id = wcstoul(commandLine, &end, 10);
    if (id == 0 || end == commandLine)
        return nullptr;
    return OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
}

// Pumps this thread's messages until WM_QUIT or the program's end.
void WaitForQuitOrProgramEnd(HANDLE program)
{
    for (;;) {
        DWORD const woken = MsgWaitForMultipleObjects(1, &program, FALSE, INFINITE, QS_ALLINPUT);
        if (woken != WAIT_OBJECT_0 + 1)
            return;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return;
            DispatchMessageW(&message);
        }
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, HOST_MUTEX_NAME);
    if (mutex == nullptr || GetLastError() == ERROR_ALREADY_EXISTS)
        return 1;
    // The queue exists before anyone learns it should be sent WM_QUIT.
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);

    HANDLE program = OpenProgram(commandLine);
    HMODULE library = program != nullptr ? LoadLibraryBesideHost() : nullptr;
    InstallFunction install = nullptr;
    UninstallFunction uninstall = nullptr;
    if (library != nullptr) {
        install = reinterpret_cast<InstallFunction>(
            reinterpret_cast<void*>(GetProcAddress(library, "InstallCBTHook")));
        uninstall = reinterpret_cast<UninstallFunction>(
            reinterpret_cast<void*>(GetProcAddress(library, "UninstallCBTHook")));
    }
    int status = 1;
    if (install != nullptr && uninstall != nullptr && install() != 0) {
        WaitForQuitOrProgramEnd(program);
        uninstall();
        status = 0;
    }
    if (program != nullptr)
        CloseHandle(program);
    CloseHandle(mutex);
    return status;
}
