// The driver's commands that only the benchmarks use, each printing
// key=value lines and returning its exit code as the driver's own do (the
// driver finds the window and hands it over).
#pragma once

#include <windows.h>

// ticks N [CHARGE_FILE [BUDGET_MS]]: N refresh ticks, one after the other,
// each with the battery's charge changed when a charge file is given; stops
// early once the budget has passed.
int OnTicks(HWND bar, int argc, wchar_t** argv);
// paints N: N whole repaints, each waited for.
int OnPaints(HWND bar, int argc, wchar_t** argv);
// opens N COMMAND CLASS: N times the bar's menu command that opens a
// window of CLASS, timed until that window shows, drawn; then closed.
int OnOpens(HWND bar, int argc, wchar_t** argv);
// probe 0..4: a count from tools/bench/probe.cpp's hidden window.
int OnProbe(HWND bar, int argc, wchar_t** argv);
// cpu W: the CPU time of the process that owns the window.
int OnCpu(HWND window, int argc, wchar_t** argv);
// track W MS: how far the bar trails W while W moves.
int OnTrack(HWND window, int argc, wchar_t** argv);

// Kernel and user time of a process in milliseconds, or -1.
double CpuMs(HANDLE process);
