#include "cbt/window_query.h"

QueryOutcome AskWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs, DWORD_PTR* answer)
{
    *answer = 0;
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        *answer = static_cast<DWORD_PTR>(SendMessageW(window, message, wParam, lParam));
        return QueryOutcome::Answered;
    }
    SetLastError(ERROR_SUCCESS);
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, answer))
        return QueryOutcome::Answered;
    // A window the system keeps this program from (user interface privilege
    // isolation: ERROR_ACCESS_DENIED) fails at once, and will again; any
    // other failure may be the time running out.
    DWORD const error = GetLastError();
    return error == ERROR_ACCESS_DENIED || error == ERROR_INVALID_WINDOW_HANDLE ? QueryOutcome::Refused
                                                                                : QueryOutcome::CutShort;
}
