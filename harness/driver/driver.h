// What the driver's commands share, and the commands of each file (each
// prints key=value lines and returns its exit code: 0 done, 1 failed).
#pragma once

#include <windows.h>

// Numbers as C writes them (0x for hexadecimal).
long Number(wchar_t const* text);

// The argument at index, or fallback when it was left out.
long NumberOr(int argc, wchar_t** argv, int index, long fallback);

// Prints error=WHY; returns the exit code of a command that failed.
int Fail(char const* why);

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

// Waits until the program of a window waits for input: a window shows up
// before its program is done starting (placing it, showing it, reading the
// settings). A busy program is waited for five seconds at most.
void WaitUntilIdle(HWND window);

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

Found FindBars();

HWND WaitForBar(int timeoutMs);

// The program's dialogs go by their Chinese captions here; the English
// caption of one, or null.
wchar_t const* EnglishCaption(wchar_t const* chinese);

// A visible top-level window of this class and caption (either may be
// nullptr), a dialog of the program's in either language.
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

HWND TheBar(wchar_t**);

HWND TheTarget(wchar_t** argv);

// A message to another process that gives up on a hung receiver.
LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

unsigned long HandleNumber(HWND window);

void PrintPlace(HWND window);

// key=text with the text in UTF-8, whatever the console's code page.
void PrintUtf8(char const* key, wchar_t const* text);

// The bar, its record and what the program reads from the system (bar.cpp)
int OnCount(int, wchar_t**);
int OnBar(int argc, wchar_t** argv);
int OnRecord(int, wchar_t**);
int OnSetRecord(int, wchar_t** argv);
int OnClose(HWND bar, int, wchar_t**);
int OnPost(HWND bar, int, wchar_t** argv);
int OnSend(HWND bar, int, wchar_t** argv);
int OnMove(HWND bar, int, wchar_t** argv);
int OnMetrics(int, wchar_t**);
int OnPower(int, wchar_t**);
int OnColours(int, wchar_t**);
int OnSetColours(int, wchar_t** argv);
int OnColourSet(int, wchar_t**);
int OnProfile(int, wchar_t** argv);
int OnHoldName(int, wchar_t** argv);
int OnVersion(int, wchar_t** argv);

// The program's dialogs (dialogs.cpp), and the finders of the open Options
// dialog and of a dialog by name (options, shutdown, confirm), as With takes them
HWND TheOptionsDialog(wchar_t** argv);
HWND TheNamedDialog(wchar_t** argv);
int OnOptions(HWND bar, int argc, wchar_t** argv);
int OnOptionsGone(HWND bar, int argc, wchar_t** argv);
int OnOptionsClick(HWND dialog, int, wchar_t** argv);
int OnOptionsSelect(HWND dialog, int argc, wchar_t** argv);
int OnOptionsSlide(HWND dialog, int, wchar_t** argv);
int OnOptionsType(HWND dialog, int argc, wchar_t** argv);
int OnDialog(int argc, wchar_t** argv);
int OnDialogTexts(HWND bar, int argc, wchar_t** argv);
int OnDialogCancel(HWND bar, int, wchar_t**);
int OnDialogSet(HWND dialog, int, wchar_t** argv);
int OnDialogCommand(HWND dialog, int, wchar_t** argv);
int OnDialogCheck(HWND dialog, int, wchar_t** argv);
int OnDialogTime(HWND dialog, int, wchar_t** argv);
int OnDialogSend(HWND dialog, int, wchar_t** argv);
int OnCycle(HWND bar, int, wchar_t** argv);
int OnCycleConfirm(HWND bar, int, wchar_t** argv);

// The screen and its pixels, the tray and its menu (screen.cpp)
int OnPixels(HWND bar, int, wchar_t**);
int OnTray(int argc, wchar_t** argv);
int OnTrayTip(int argc, wchar_t** argv);
int OnBalloon(int argc, wchar_t** argv);
int OnPowerSetting(HWND bar, int argc, wchar_t** argv);
int OnMenu(int argc, wchar_t** argv);
int OnMenuKey(int argc, wchar_t** argv);
int OnCursor(int, wchar_t** argv);
int OnForgetIcon(int, wchar_t**);
int OnTaskbarCreated(int, wchar_t**);

// Other programs' windows (windows.cpp)
int OnWindow(int argc, wchar_t** argv);
int OnSetPos(HWND window, int, wchar_t** argv);
int OnActivate(HWND window, int, wchar_t**);
int OnShow(HWND window, int, wchar_t** argv);
int OnHang(HWND window, int, wchar_t** argv);
int OnCloseWindow(HWND window, int, wchar_t**);
int OnForeground(int, wchar_t**);
int OnOnTop(HWND bar, int, wchar_t**);
int OnZOrder(int, wchar_t**);

// Processes: the bar's figures, starting the program and its end
// (processes.cpp); the benchmarks' own figures are harness/driver/figures.h
int OnProcess(HWND bar, int, wchar_t**);
int OnLaunch(int, wchar_t** argv);
int OnWaitExit(int, wchar_t** argv);

// Displays: monitors and DPI, the manifest (displays.cpp)
int OnMonitors(int, wchar_t**);
int OnManifest(int, wchar_t** argv);
