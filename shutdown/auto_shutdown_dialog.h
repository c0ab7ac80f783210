// The Auto-shutdown dialog (template 133): when to switch the computer off,
// reduced to whole minutes from OK.
#pragma once

#include <windows.h>

// Filled by the dialog on OK; the caller owns it and passes its address as
// the dialog's creation parameter.
struct ShutdownRequest {
    LONG atTime;        // 1: "于此时：" was chosen
    LONG minutes;       // after IDOK always >= 1
    SYSTEMTIME target;  // the picked local moment; written in that mode only
    LONG forceClose;    // in and out: other programs are closed without asking
    LONG action;        // in and out: a ShutdownAction this machine can do
};

INT_PTR CALLBACK AutoShutdownDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The dialog while it is open, else null.
HWND OpenAutoShutdownDialog();

// Whole minutes from one local time to another, truncated toward zero, in
// 64 bits so that a far date is seen as such rather than wrapped.
LONGLONG MinutesBetween(SYSTEMTIME const& from, SYSTEMTIME const& to);
