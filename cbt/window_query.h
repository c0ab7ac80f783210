// Asking another program's window a question by message: the one place the
// library waits on other programs, so that how it waits and what a failure
// means are decided once.
#pragma once

#include <windows.h>

enum class QueryOutcome {
    Answered,  // the window answered
    CutShort,  // no answer in the time given (slow, hung, or a busy machine): ask again later
    Refused,   // the system did not deliver it (an elevated window, a window gone): asking again changes nothing
};

// Sends message to window and leaves its answer in *answer. A window of this
// thread is called directly; any other gets at most timeoutMs and nothing
// when it hangs.
QueryOutcome AskWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs, DWORD_PTR* answer);
