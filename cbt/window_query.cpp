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
    // isolation: ERROR_ACCESS_DENIED), or a message it cannot carry to that
    // program, fails at once, and will again.
    return GetLastError() == ERROR_TIMEOUT ? QueryOutcome::CutShort : QueryOutcome::Refused;
}
