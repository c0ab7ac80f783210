// Stands in for cbt/window_query.cpp where Windows' user interface
// privilege isolation is wanted and Wine has none: a window titled
// "elevated" (an elevated program's window, seen from a program that is
// not) refuses every message, as SendMessageTimeout from a lower integrity
// level fails at once with ERROR_ACCESS_DENIED. Every other window is asked
// as the library asks it.
#include <windows.h>

#include "cbt/window_query.h"

QueryOutcome AskWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs, DWORD_PTR* answer)
{
    *answer = 0;
    wchar_t title[32];
    if (GetWindowTextW(window, title, 32) > 0 && wcsstr(title, L"elevated") != nullptr) {
        SetLastError(ERROR_ACCESS_DENIED);
        return QueryOutcome::Refused;
    }
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, answer)
               ? QueryOutcome::Answered
               : QueryOutcome::CutShort;
}
