// The driver's commands about processes: the bar's memory, CPU time and
// handles, starting the program and waiting for its end.
#include "harness/driver/driver.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>

#include "harness/driver/figures.h"

namespace {

// Committed private memory of a process, region by region: what Windows
// calls private bytes, which Wine's PrivateUsage leaves at 0.
unsigned long CommittedPrivateBytes(HANDLE process)
{
    unsigned long total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (UINT_PTR address = 0; VirtualQueryEx(process, reinterpret_cast<void*>(address), &region, sizeof region) ==
                               sizeof region;) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += static_cast<unsigned long>(region.RegionSize);
        UINT_PTR const next = reinterpret_cast<UINT_PTR>(region.BaseAddress) + region.RegionSize;
        if (next <= address)
            break;
        address = next;
    }
    return total;
}

// Kernel handles of a process, counted by copying every possible value:
// Wine's GetProcessHandleCount reads 0 for another process.
long CountKernelHandles(DWORD pid)
{
    HANDLE process = OpenProcess(PROCESS_DUP_HANDLE, FALSE, pid);
    if (process == nullptr)
        return -1;
    long count = 0;
    for (UINT_PTR value = 4; value < 0x10000; value += 4) {
        HANDLE copy = nullptr;
        if (DuplicateHandle(process, reinterpret_cast<HANDLE>(value), GetCurrentProcess(), &copy, 0, FALSE,
                            DUPLICATE_SAME_ACCESS)) {
            ++count;
            CloseHandle(copy);
        }
    }
    CloseHandle(process);
    return count;
}

BOOL CALLBACK CountChildWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

// Windows of a process: top-level ones with all their descendants, and
// message-only ones, which EnumWindows does not list.
long CountWindowsOf(DWORD pid)
{
    long count = 0;
    ForEachWindow([&](HWND window) {
        if (ProcessOf(window) == pid) {
            ++count;
            EnumChildWindows(window, CountChildWindow, reinterpret_cast<LPARAM>(&count));  // all descendants
        }
    });
    for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w != nullptr;
         w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr))
        if (ProcessOf(w) == pid)
            ++count;
    return count;
}

}  // namespace

// process: memory, CPU time and handles of the process that owns the bar.
int OnProcess(HWND bar, int, wchar_t**)
{
    DWORD const pid = ProcessOf(bar);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr)
        return Fail("cannot open process");
    PROCESS_MEMORY_COUNTERS_EX memory{};
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    // Read before the counts below, which under Wine cost the process
    // itself CPU time.
    unsigned long const cpuMs = static_cast<unsigned long>(std::max(CpuMs(process), 0.0));
    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    std::printf("pid=%lu\nworkingset=%lu\npeakworkingset=%lu\nprivate=%lu\ncommitted=%lu\ncpums=%lu\n"
                "handles=%lu\nkernelhandles=%ld\ngdi=%lu\nuser=%lu\nwindows=%ld\n",
                pid, static_cast<unsigned long>(memory.WorkingSetSize),
                static_cast<unsigned long>(memory.PeakWorkingSetSize),
                static_cast<unsigned long>(memory.PrivateUsage), CommittedPrivateBytes(process),
                cpuMs, handles, CountKernelHandles(pid),
                GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS),
                CountWindowsOf(pid));
    CloseHandle(process);
    return 0;
}

// launch PROGRAM: starts it and reports how long it took until its bar
// window was visible, measured inside this process so Wine's own start-up of
// the driver does not count.
int OnLaunch(int, wchar_t** argv)
{
    wchar_t const* program = argv[0];
    int const timeoutMs = 20000;
    wchar_t directory[MAX_PATH];
    lstrcpynW(directory, program, MAX_PATH);
    wchar_t* slash = wcsrchr(directory, L'\\');
    if (slash != nullptr)
        *slash = L'\0';
    wchar_t commandLine[MAX_PATH + 2];
    swprintf(commandLine, MAX_PATH + 2, L"\"%ls\"", program);
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // Without handles of its own Wine gives the child this console's output,
    // and the pipe a script reads it from would then stay open until the
    // started program ends.
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = INVALID_HANDLE_VALUE;
    startup.hStdOutput = INVALID_HANDLE_VALUE;
    startup.hStdError = INVALID_HANDLE_VALUE;
    PROCESS_INFORMATION process;
    if (!CreateProcessW(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr,
                        slash != nullptr ? directory : nullptr, &startup, &process))
        return Fail("cannot start");
    CloseHandle(process.hThread);
    for (;; Sleep(1)) {
        HWND bar = FindBars().first;
        QueryPerformanceCounter(&now);
        long const elapsed = static_cast<long>((now.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart);
        bool const shown = bar != nullptr && IsWindowVisible(bar);
        if (shown || elapsed > timeoutMs || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            CloseHandle(process.hProcess);
            if (!shown)
                return Fail("no visible bar");
            std::printf("startms=%ld\npid=%lu\n", elapsed, process.dwProcessId);
            return 0;
        }
    }
}

// waitexit TIMEOUT: holds the bar's process from now on (prints watching=1
// at once) and reports its exit code once it has ended.
int OnWaitExit(int, wchar_t** argv)
{
    DWORD const pid = ProcessOf(WaitForBar(5000));
    HANDLE process = pid != 0 ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid) : nullptr;
    std::printf("watching=%d\n", process != nullptr ? 1 : 0);
    std::fflush(stdout);
    if (process == nullptr)
        return 1;
    DWORD code = STILL_ACTIVE;
    bool const ended = WaitForSingleObject(process, Number(argv[0])) == WAIT_OBJECT_0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    std::printf("ended=%d\nexitcode=%lu\n", ended ? 1 : 0, static_cast<unsigned long>(code));
    return 0;
}
