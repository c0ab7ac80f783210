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

// The program's dialogs by short names, so no Chinese passes the command line.
wchar_t const* DialogCaption(wchar_t const* name)
{
    if (wcscmp(name, L"shutdown") == 0)
        return L"自动关机";
    if (wcscmp(name, L"confirm") == 0)
        return L"关机确认";
    if (wcscmp(name, L"cancelask") == 0)
        return L"取消自动关机";
    return name;
}

// key=text with the text in UTF-8, whatever the console's code page.
void PrintUtf8(char const* key, wchar_t const* text)
{
    char bytes[512];
    int const length = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    std::printf("%s=%s\n", key, length > 0 ? bytes : "");
}

// A dialog of the program, found by its caption; waits up to timeoutMs.
HWND WaitForDialog(wchar_t const* name, int timeoutMs)
{
    wchar_t const* caption = DialogCaption(name);
    for (int waited = 0;; waited += 100) {
        HWND dialog = FindWindowW(L"#32770", caption);
        if ((dialog != nullptr && IsWindowVisible(dialog)) || waited >= timeoutMs)
            return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
        Sleep(100);
    }
}

// dialog NAME [timeout]: whether it is open and its buttons' texts.
// dialogset NAME ID TEXT: types into a control. dialogcmd NAME ID: a
// WM_COMMAND as a click sends it. dialogcheck NAME ID: clicks a radio button.
// NAME: shutdown, confirm, cancelask (the question box) or a caption.
int DialogCommand(int argc, wchar_t** argv)
{
    wchar_t const* command = argv[1];
    if (argc < 3)
        return 2;
    int const timeout = wcscmp(command, L"dialog") == 0 && argc > 3 ? static_cast<int>(Number(argv[3])) : 5000;
    HWND dialog = WaitForDialog(argv[2], timeout);
    if (wcscmp(command, L"dialog") == 0) {
        std::printf("open=%d\n", dialog != nullptr ? 1 : 0);
        if (dialog == nullptr)
            return 0;
        wchar_t text[128] = L"";
        GetDlgItemTextW(dialog, IDOK, text, 128);
        PrintUtf8("ok", text);
        text[0] = L'\0';
        GetDlgItemTextW(dialog, IDCANCEL, text, 128);
        PrintUtf8("cancel", text);
        RECT rect;
        GetWindowRect(dialog, &rect);
        std::printf("x=%ld\ny=%ld\nwidth=%ld\nheight=%ld\n", rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top);
        return 0;
    }
    if (dialog == nullptr) {
        std::printf("error=no dialog\n");
        return 1;
    }
    if (argc < 4)
        return 2;
    int const id = static_cast<int>(Number(argv[3]));
    if (wcscmp(command, L"dialogset") == 0 && argc == 5)
        return SetDlgItemTextW(dialog, id, argv[4]) ? 0 : 1;
    if (wcscmp(command, L"dialogcheck") == 0) {
        HWND button = GetDlgItem(dialog, id);
        return SendMessageW(button, BM_CLICK, 0, 0), 0;
    }
    if (wcscmp(command, L"dialogcmd") == 0)
        return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                            reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)))
                   ? 0
                   : 1;
    return 2;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: driver metrics | count | bar [timeout_ms] | record | close |\n"
                 "              post MSG WPARAM LPARAM | send MSG WPARAM LPARAM | move X Y |\n"
                 "              dialog NAME [timeout_ms] | dialogset NAME ID TEXT |\n"
                 "              dialogcmd NAME ID | dialogcheck NAME ID\n");
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
    if (wcsncmp(command, L"dialog", 6) == 0)
        return DialogCommand(argc, argv);
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
