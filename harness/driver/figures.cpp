// The driver's commands that only the benchmarks use (tools/bench.sh,
// tools/bench_riding.sh), built into the test driver (harness/driver):
// refresh ticks and repaints sent to the bar, the probe's counts, CPU time
// and the bar trailing a moving window.
#include "harness/driver/figures.h"

#include <algorithm>
#include <vector>

#include <cmath>
#include <cstdio>
#include <cwchar>

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

namespace {

// Rewrites a battery's charge file (through Wine's Z: drive) to a percent of
// a 10000000 full charge (harness/drive.sh fake_battery).
bool WriteCharge(wchar_t const* file, int percent)
{
    HANDLE handle = CreateFileW(file, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    char text[32];
    int const length = std::snprintf(text, sizeof text, "%d\n", percent * 100000);
    DWORD written = 0;
    WriteFile(handle, text, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(handle);
    return written == static_cast<DWORD>(length);
}

}  // namespace

// With a charge file the charge alternates between two values, so that
// every tick changes the bar. Prints the ticks sent and the time they took.
int OnTicks(HWND bar, int argc, wchar_t** argv)
{
    long const count = wcstol(argv[0], nullptr, 0);
    wchar_t const* chargeFile = argc > 1 ? argv[1] : nullptr;
    DWORD const budget = argc > 2 ? static_cast<DWORD>(wcstol(argv[2], nullptr, 0)) : INFINITE;
    DWORD const start = GetTickCount();
    long sent = 0;
    for (; sent < count && GetTickCount() - start < budget; ++sent) {
        if (chargeFile != nullptr && !WriteCharge(chargeFile, 40 + static_cast<int>(sent % 2))) {
            std::printf("error=cannot write %ls\n", chargeFile);
            return 1;
        }
        SendMessageTimeoutW(bar, WM_TIMER, 1, 0, SMTO_NORMAL, 5000, nullptr);
    }
    std::printf("ticks=%ld\nms=%lu\n", sent, static_cast<unsigned long>(GetTickCount() - start));
    return 0;
}

int OnPaints(HWND bar, int, wchar_t** argv)
{
    long const count = wcstol(argv[0], nullptr, 0);
    for (long i = 0; i < count; ++i) {
        InvalidateRect(bar, nullptr, FALSE);
        for (int spin = 0; spin < 5000 && GetUpdateRect(bar, nullptr, FALSE); ++spin)
            SendMessageTimeoutW(bar, WM_NULL, 0, 0, SMTO_NORMAL, 1000, nullptr);
    }
    std::printf("paints=%ld\n", count);
    return 0;
}

int OnOpens(HWND bar, int, wchar_t** argv)
{
    long const count = wcstol(argv[0], nullptr, 0);
    WPARAM const command = static_cast<WPARAM>(wcstol(argv[1], nullptr, 0));
    std::vector<double> times;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (long i = 0; i < count; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        SendMessageTimeoutW(bar, WM_COMMAND, command, 0, SMTO_NORMAL, 60000, nullptr);
        HWND window = FindWindowW(argv[2], nullptr);
        // Drawn: nothing of it left to paint.
        for (int spin = 0; spin < 5000 && window != nullptr && GetUpdateRect(window, nullptr, FALSE); ++spin)
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, nullptr);
        QueryPerformanceCounter(&end);
        if (window == nullptr || !IsWindowVisible(window)) {
            std::printf("error=no window %ls after command %lu\n", argv[2], static_cast<unsigned long>(command));
            return 1;
        }
        times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
        SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, nullptr);
    }
    std::sort(times.begin(), times.end());
    std::printf("opens=%ld\nmin_ms=%.1f\nmedian_ms=%.1f\nmax_ms=%.1f\n", count, times.front(),
                times[times.size() / 2], times.back());
    return 0;
}

// The question is the hidden window's message number above WM_APP.
int OnProbe(HWND, int, wchar_t** argv)
{
    HWND probe = FindWindowExW(HWND_MESSAGE, nullptr, L"BrisvaneProbe", nullptr);
    if (probe == nullptr) {
        std::printf("error=no probe\n");
        return 1;
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutW(probe, WM_APP + wcstol(argv[0], nullptr, 0), 0, 0, SMTO_NORMAL, 60000, &result);
    std::printf("result=%lu\n", static_cast<unsigned long>(result));
    return 0;
}

int OnCpu(HWND window, int, wchar_t**)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    std::printf("cpu_ms=%.1f\n", process != nullptr ? CpuMs(process) : -1.0);
    if (process != nullptr)
        CloseHandle(process);
    return 0;
}

// track W MS: every 50 ms for MS milliseconds, how far the bar is from
// where it was against W's top-right corner when the tracking began (at
// rest on W's caption), and how far W is from where it began: "ms distance
// moved" lines, ms since the start. Prints "tracking" first, so a caller
// can start moving W at the right moment.
int OnTrack(HWND window, int, wchar_t** argv)
{
    HWND bar = FindWindowW(L"BRISVANE", nullptr);
    if (bar == nullptr) {
        std::printf("error=no bar window\n");
        return 1;
    }
    auto offset = [&](POINT* at, POINT* corner) {
        RECT w, b;
        GetWindowRect(window, &w);
        GetWindowRect(bar, &b);
        at->x = b.left - w.right;
        at->y = b.top - w.top;
        corner->x = w.right;
        corner->y = w.top;
    };
    auto length = [](double dx, double dy) { return std::sqrt(dx * dx + dy * dy); };
    POINT rest, start;
    offset(&rest, &start);
    std::printf("tracking\n");
    std::fflush(stdout);
    DWORD const duration = static_cast<DWORD>(wcstol(argv[1], nullptr, 0));
    DWORD const begin = GetTickCount();
    for (DWORD now = begin; now - begin <= duration; now = GetTickCount()) {
        POINT at, corner;
        offset(&at, &corner);
        std::printf("%lu %.0f %.0f\n", static_cast<unsigned long>(now - begin), length(at.x - rest.x, at.y - rest.y),
                    length(corner.x - start.x, corner.y - start.y));
        std::fflush(stdout);
        Sleep(50 - (GetTickCount() - now) % 50);
    }
    return 0;
}
