// Figures for the bench, the soak and the hook bench: start-up time, memory,
// handles and CPU time of a process, and work driven in bulk.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>

#include "tests/e2e/driver/driver.h"

namespace {

// Kernel and user time of a process in milliseconds, or -1.
double CpuMs(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return -1;
    ULARGE_INTEGER k{{kernel.dwLowDateTime, kernel.dwHighDateTime}};
    ULARGE_INTEGER u{{user.dwLowDateTime, user.dwHighDateTime}};
    return static_cast<double>(k.QuadPart + u.QuadPart) / 10000.0;
}

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

// process: memory, CPU time and handles of the process that owns the bar.
int OnProcess(HWND bar, int, wchar_t**)
{
    DWORD const pid = ProcessOf(bar);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr)
        return Fail("cannot open process");
    PROCESS_MEMORY_COUNTERS_EX memory{};
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    std::printf("pid=%lu\nworkingset=%lu\npeakworkingset=%lu\nprivate=%lu\ncommitted=%lu\ncpums=%lu\n"
                "handles=%lu\nkernelhandles=%ld\ngdi=%lu\nuser=%lu\nwindows=%ld\n",
                pid, static_cast<unsigned long>(memory.WorkingSetSize),
                static_cast<unsigned long>(memory.PeakWorkingSetSize),
                static_cast<unsigned long>(memory.PrivateUsage), CommittedPrivateBytes(process),
                static_cast<unsigned long>(std::max(CpuMs(process), 0.0)), handles, CountKernelHandles(pid),
                GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS),
                CountWindowsOf(pid));
    CloseHandle(process);
    return 0;
}

// Rewrites a battery's charge file (through Wine's Z: drive) to a percent of
// a 50000000 full charge.
bool WriteCharge(wchar_t const* file, int percent)
{
    HANDLE handle = CreateFileW(file, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    char text[32];
    int const length = std::snprintf(text, sizeof text, "%d\n", percent * 500000);
    DWORD written = 0;
    WriteFile(handle, text, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(handle);
    return written == static_cast<DWORD>(length);
}

// ticks N [CHARGE_FILE]: N refresh ticks, sent one after the other; with a
// charge file the charge alternates between two values so that every tick
// changes the bar.
int OnTicks(HWND bar, int argc, wchar_t** argv)
{
    long const count = Number(argv[0]);
    wchar_t const* chargeFile = argc > 1 ? argv[1] : nullptr;
    for (long i = 0; i < count; ++i) {
        if (chargeFile != nullptr && !WriteCharge(chargeFile, 40 + static_cast<int>(i % 2))) {
            std::printf("error=cannot write %ls\n", chargeFile);
            return 1;
        }
        SendMessageTimeoutW(bar, WM_TIMER, 1, 0, SMTO_NORMAL, 5000, nullptr);
    }
    std::printf("ticks=%ld\n", count);
    return 0;
}

// paints N: N whole repaints, each waited for.
int OnPaints(HWND bar, int, wchar_t** argv)
{
    long const count = Number(argv[0]);
    for (long i = 0; i < count; ++i) {
        InvalidateRect(bar, nullptr, FALSE);
        for (int spin = 0; spin < 5000 && GetUpdateRect(bar, nullptr, FALSE); ++spin)
            SendMessageTimeoutW(bar, WM_NULL, 0, 0, SMTO_NORMAL, 1000, nullptr);
    }
    std::printf("paints=%ld\n", count);
    return 0;
}

// probe 0..4: asks tools/bench/probe.cpp's hidden window (WM_APP + 0 to 4).
int OnProbe(HWND, int, wchar_t** argv)
{
    HWND probe = FindWindowExW(HWND_MESSAGE, nullptr, L"BrisvaneProbe", nullptr);
    if (probe == nullptr)
        return Fail("no probe");
    DWORD_PTR result = 0;
    SendMessageTimeoutW(probe, WM_APP + Number(argv[0]), 0, 0, SMTO_NORMAL, 60000, &result);
    std::printf("result=%lu\n", static_cast<unsigned long>(result));
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

// cpu W: the CPU time of the process that owns the window.
int OnCpu(HWND window, int, wchar_t**)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, ProcessOf(window));
    std::printf("cpu_ms=%.1f\n", process != nullptr ? CpuMs(process) : -1.0);
    if (process != nullptr)
        CloseHandle(process);
    return 0;
}

// drag W SECONDS: moves the window to and fro by 3 pixels a step, as a drag
// would, for that long.
int OnDrag(HWND window, int, wchar_t** argv)
{
    DWORD const duration = Number(argv[1]) * 1000;
    RECT start;
    GetWindowRect(window, &start);
    DWORD const begin = GetTickCount();
    int steps = 0;
    while (GetTickCount() - begin < duration) {
        int const offset = 3 * (steps % 100 < 50 ? steps % 50 : 50 - steps % 50);
        SetWindowPos(window, nullptr, start.left + offset, start.top + offset / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ++steps;
        Sleep(15);
    }
    SetWindowPos(window, nullptr, start.left, start.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    std::printf("steps=%d\n", steps);
    return 0;
}

// hookcost N: the time of one message to a window of this thread that every
// hook of the system sees and the library ignores.
int OnHookCost(int, wchar_t** argv)
{
    long const count = Number(argv[0]);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BrisvaneDriverProbe";
    RegisterClassW(&wc);
    HWND probe = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance,
                                 nullptr);
    if (probe == nullptr || count <= 0)
        return 1;
    for (int i = 0; i < 1000; ++i)
        SendMessageW(probe, WM_USER + 77, 0, 0);
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    for (long i = 0; i < count; ++i)
        SendMessageW(probe, WM_USER + 77, 0, 0);
    QueryPerformanceCounter(&end);
    double const ns = static_cast<double>(end.QuadPart - begin.QuadPart) * 1e9 / frequency.QuadPart / count;
    std::printf("messages=%ld\nns_per_message=%.0f\ncbt_loaded=%d\n", count, ns,
                GetModuleHandleW(L"CBT.dll") != nullptr ? 1 : 0);
    DestroyWindow(probe);
    return 0;
}

}  // namespace

Command const kFigureCommands[] = {
    {L"process", "", With<TheBar, OnProcess>},
    {L"ticks", "N [CHARGE_FILE]", With<TheBar, OnTicks>},
    {L"paints", "N", With<TheBar, OnPaints>},
    {L"probe", "0..4", With<TheBar, OnProbe>},
    {L"launch", "PROGRAM", OnLaunch},
    {L"waitexit", "TIMEOUT_MS", OnWaitExit},
    {L"cpu", "W", With<TheTarget, OnCpu>},
    {L"drag", "W SECONDS", With<TheTarget, OnDrag>},
    {L"hookcost", "N", OnHookCost},
    {nullptr, nullptr, nullptr},
};
