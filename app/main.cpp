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
    HANDLE running = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, INSTANCE_MUTEX_NAME);
    if (running != nullptr) {
        CloseHandle(running);
        return 0;
    }
    // Two starts at the same moment can both miss the mutex above; only the
    // one that really created it goes on.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, INSTANCE_MUTEX_NAME);
    if (mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return 0;
    }

    LoadStringW(instance, IDS_APP_TITLE, g_windowTitle, ARRAYSIZE(g_windowTitle));
    LoadStringW(instance, IDC_BRISVANE, g_windowClass, ARRAYSIZE(g_windowClass));
    RegisterBarClass(instance);

    if (!InitInstance(instance, showCommand)) {
        if (mutex != nullptr)
            CloseHandle(mutex);
        return 0;
    }

    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDA_BRISVANE));
    int const exitCode = RunMessageLoop(accelerators);
    if (mutex != nullptr)
        CloseHandle(mutex);
    return exitCode;
}
