#include "hook/host64.h"

#include <windows.h>

#include <cwchar>

namespace {

wchar_t const HOST_NAME[] = L"CBT64Host.exe";
DWORD const STOP_PATIENCE_MS = 2000;
DWORD const STOP_RETRY_MS = 100;

HANDLE g_host;  // the host's process while it runs
DWORD g_hostThread;

bool IsWow64()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// "FOLDER\CBT64Host.exe" PROCESS_ID, the folder being the program's own.
bool HostCommandLine(wchar_t* commandLine, size_t size)
{
    wchar_t path[MAX_PATH];
    DWORD const length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    wchar_t* name = wcsrchr(path, L'\\');
    if (name == nullptr)
        return false;
    name[1] = L'\0';
    int const written = std::swprintf(commandLine, size, L"\"%ls%ls\" %lu", path, HOST_NAME,
                                        static_cast<unsigned long>(GetCurrentProcessId()));
    return written > 0 && static_cast<size_t>(written) < size;
}

bool HostRunning()
{
    return g_host != nullptr && WaitForSingleObject(g_host, 0) == WAIT_TIMEOUT;
}

void ForgetHost()
{
    if (g_host != nullptr)
        CloseHandle(g_host);
    g_host = nullptr;
    g_hostThread = 0;
}

}  // namespace

void StartHost64()
{
    if (HostRunning() || !IsWow64())
        return;
    ForgetHost();
    wchar_t commandLine[MAX_PATH + 32];
    if (!HostCommandLine(commandLine, sizeof commandLine / sizeof commandLine[0]))
        return;
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started;
    if (!CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return;
    CloseHandle(started.hThread);
    g_host = started.hProcess;
    g_hostThread = started.dwThreadId;
}

void StopHost64()
{
    if (g_host == nullptr)
        return;
    // Until the host has made its message queue the post fails: try again.
    for (DWORD waited = 0; waited < STOP_PATIENCE_MS; waited += STOP_RETRY_MS) {
        PostThreadMessageW(g_hostThread, WM_QUIT, 0, 0);
        if (WaitForSingleObject(g_host, STOP_RETRY_MS) != WAIT_TIMEOUT) {
            ForgetHost();
            return;
        }
    }
    TerminateProcess(g_host, 1);
    ForgetHost();
}
