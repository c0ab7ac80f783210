// The end-to-end driver observes and drives a running Brisvane.exe from
// another process. Each command prints key=value lines; exit code 0 on
// success, 1 on failure, 2 for a command line it does not know.
#pragma once

#include <windows.h>

// A command: its name, its arguments as the usage shows them ("[X]" may be
// left out, "X..." may repeat; the argument count is checked against it),
// and its handler, given the arguments after the name.
struct Command {
    wchar_t const* name;
    char const* args;
    int (*run)(int argc, wchar_t** argv);
};

// The commands by concern, each table ending at a null name.
extern Command const kBarCommands[], kDialogCommands[], kDesktopCommands[], kFigureCommands[];

// Numbers as C writes them (0x for hexadecimal); the argument at index, or fallback.
long Number(wchar_t const* text);
long NumberOr(int argc, wchar_t** argv, int index, long fallback);

// Asks ready() every stepMs until it says yes or timeoutMs have passed.
template <typename Ready>
bool Poll(int timeoutMs, int stepMs, Ready ready)
{
    for (int waited = 0;; waited += stepMs) {
        if (ready())
            return true;
        if (waited >= timeoutMs)
            return false;
        Sleep(stepMs);
    }
}

// The window find() returns once it returns one, or nullptr after timeoutMs.
template <typename Find>
HWND WaitFor(int timeoutMs, int stepMs, Find find)
{
    HWND found = nullptr;
    Poll(timeoutMs, stepMs, [&] { return (found = find()) != nullptr; });
    return found;
}

template <typename Visit>
BOOL CALLBACK VisitWindow(HWND window, LPARAM visit)
{
    (*reinterpret_cast<Visit*>(visit))(window);
    return TRUE;
}

// Every top-level window, front to back.
template <typename Visit>
void ForEachWindow(Visit visit)
{
    EnumWindows(VisitWindow<Visit>, reinterpret_cast<LPARAM>(&visit));
}

struct Found {
    HWND first;
    int count;
};

template <typename Match>
Found FindWindows(Match match)
{
    Found found{nullptr, 0};
    ForEachWindow([&](HWND window) {
        if (match(window) && found.count++ == 0)
            found.first = window;
    });
    return found;
}

bool HasClass(HWND window, wchar_t const* name);
DWORD ProcessOf(HWND window);

// The bar windows, and the first waited for.
Found FindBars();
HWND WaitForBar(int timeoutMs);

// A visible top-level window of this class and caption (either may be nullptr).
HWND Shown(wchar_t const* className, wchar_t const* caption);
HWND WaitForShown(wchar_t const* className, wchar_t const* caption, int timeoutMs, int stepMs = 100);

// Another program's window, named by its title or by "class:NAME".
HWND WaitForTarget(wchar_t const* name, int timeoutMs);

// A command about one window: find() picks it from the arguments (or prints
// why there is none, and the command fails) and run() gets it.
template <HWND (*find)(wchar_t** argv), int (*run)(HWND window, int argc, wchar_t** argv)>
int With(int argc, wchar_t** argv)
{
    HWND window = find(argv);
    return window != nullptr ? run(window, argc, argv) : 1;
}

HWND TheBar(wchar_t** argv);     // the bar, waited for 5 s
HWND TheTarget(wchar_t** argv);  // the window the first argument names, waited for 5 s

// A message to another process that gives up on a hung receiver.
LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Prints error=WHY; returns the exit code of a command that failed.
int Fail(char const* why);

unsigned long HandleNumber(HWND window);
void PrintPlace(HWND window);                          // x, y, width, height
void PrintUtf8(char const* key, wchar_t const* text);  // whatever the console's code page
