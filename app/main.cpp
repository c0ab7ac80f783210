// Entry of Brisvane: one instance, one window, one thread.
#include <windows.h>

#include "app/init.h"
#include "app/message_loop.h"
#include "res/resource.h"

namespace {

wchar_t const INSTANCE_MUTEX_NAME[] = L"MTX_BRISVANE_ZORVEND_2012";

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    // Fails closed: a mutex that exists but cannot be had (an elevated
    // instance made it, or another kind of object holds the name) ends this
    // start as surely as one that is open.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, INSTANCE_MUTEX_NAME);
    if (mutex == nullptr)
        return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return 0;
    }

    LoadStringW(instance, IDS_APP_TITLE, g_windowTitle, ARRAYSIZE(g_windowTitle));
    RegisterBarClass(instance);

    if (!InitInstance(instance, showCommand)) {
        CloseHandle(mutex);
        return 0;
    }

    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDA_BRISVANE));
    int const exitCode = RunMessageLoop(accelerators);
    CloseHandle(mutex);
    return exitCode;
}
