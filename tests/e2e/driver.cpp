// Observes and drives a running Brisvane.exe from another process, for the
// end-to-end tests. Prints key=value lines; exit code 0 on success.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "hook/shared_window_record.h"

namespace {

struct Found {
    HWND first;
    int count;
};

BOOL CALLBACK CollectBar(HWND window, LPARAM param)
{
    wchar_t name[64];
    if (GetClassNameW(window, name, 64) && wcscmp(name, L"BRISVANE") == 0) {
        Found* found = reinterpret_cast<Found*>(param);
        if (found->count++ == 0)
            found->first = window;
    }
    return TRUE;
}

Found FindBars()
{
    Found found{nullptr, 0};
    EnumWindows(CollectBar, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Waits up to timeoutMs for the bar window to exist.
HWND WaitForBar(int timeoutMs)
{
    for (int waited = 0;; waited += 100) {
        Found found = FindBars();
        if (found.first != nullptr || waited >= timeoutMs)
            return found.first;
        Sleep(100);
    }
}

long Number(wchar_t const* text)
{
    return static_cast<long>(wcstoll(text, nullptr, 0));
}

int PrintBar(HWND bar)
{
    Found found = FindBars();
    wchar_t title[128] = L"";
    GetWindowTextW(bar, title, 128);
    RECT rect;
    GetWindowRect(bar, &rect);
    std::printf("hwnd=%lu\ncount=%d\ntitle=%ls\nexstyle=0x%08lX\nstyle=0x%08lX\nvisible=%d\n"
                "x=%ld\ny=%ld\nwidth=%ld\nheight=%ld\n",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(bar)), found.count, title,
                static_cast<unsigned long>(GetWindowLongW(bar, GWL_EXSTYLE)),
                static_cast<unsigned long>(GetWindowLongW(bar, GWL_STYLE)), IsWindowVisible(bar) ? 1 : 0,
                rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

int PrintRecord()
{
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, SHARED_WINDOW_RECORD_NAME);
    if (mapping == nullptr) {
        std::printf("error=no section\n");
        return 1;
    }
    SharedWindowRecord const* record = static_cast<SharedWindowRecord const*>(
        MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(SharedWindowRecord)));
    if (record == nullptr) {
        std::printf("error=no view\n");
        return 1;
    }
    std::printf("bar=%lu\nbarwidth=%ld\nbarheight=%ld\ncaption=%ld\nignoredui=%ld\n",
                static_cast<unsigned long>(record->barWindow), static_cast<long>(record->barWidth),
                static_cast<long>(record->barHeight), static_cast<long>(record->captionHeight),
                static_cast<long>(record->ignoreDUI));
    UnmapViewOfFile(record);
    CloseHandle(mapping);
    return 0;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: driver metrics | count | bar [timeout_ms] | record | close |\n"
                 "              post MSG WPARAM LPARAM | send MSG WPARAM LPARAM | move X Y\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return Usage();
    wchar_t const* command = argv[1];

    if (wcscmp(command, L"metrics") == 0) {
        std::printf("caption=%d\nscreenwidth=%d\nscreenheight=%d\n", GetSystemMetrics(SM_CYCAPTION),
                    GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        return 0;
    }
    if (wcscmp(command, L"count") == 0) {
        std::printf("count=%d\n", FindBars().count);
        return 0;
    }

    HWND bar = WaitForBar(argc > 2 && wcscmp(command, L"bar") == 0 ? static_cast<int>(Number(argv[2])) : 5000);
    if (wcscmp(command, L"record") == 0)
        return PrintRecord();
    if (bar == nullptr) {
        std::printf("error=no bar window\n");
        return 1;
    }
    if (wcscmp(command, L"bar") == 0)
        return PrintBar(bar);
    if (wcscmp(command, L"close") == 0)
        return PostMessageW(bar, WM_CLOSE, 0, 0) ? 0 : 1;
    if ((wcscmp(command, L"post") == 0 || wcscmp(command, L"send") == 0) && argc == 5) {
        UINT const message = static_cast<UINT>(Number(argv[2]));
        WPARAM const wParam = static_cast<WPARAM>(Number(argv[3]));
        LPARAM const lParam = static_cast<LPARAM>(Number(argv[4]));
        if (command[0] == L'p')
            return PostMessageW(bar, message, wParam, lParam) ? 0 : 1;
        std::printf("result=%ld\n", static_cast<long>(SendMessageW(bar, message, wParam, lParam)));
        return 0;
    }
    if (wcscmp(command, L"move") == 0 && argc == 4) {
        return SetWindowPos(bar, nullptr, static_cast<int>(Number(argv[2])), static_cast<int>(Number(argv[3])), 0,
                            0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    }
    return Usage();
}
