// Whether a person can see the screen: the user's session in use (at the
// console or a remote connection, not switched away from), unlocked, and its
// display on. Windows reports changes with WM_WTSSESSION_CHANGE and, while
// the display is watched, the console display state; the session's state is
// also asked outright. What Windows does not answer counts as attached,
// unlocked and on: only an answer changes it.
#pragma once

#include <windows.h>

// Registers for the session's changes (again every few seconds on IDT_SESSION
// while the terminal service is not ready yet, as at an early logon) and asks
// the session's state.
void FollowSession(HWND bar);
void StopFollowingSession(HWND bar);
void OnSessionRetry(HWND bar);

// Asks Windows for the session's state; a failed query changes nothing.
void AskSessionState();

// The console display's state, followed from now until StopWatchingDisplay.
void WatchDisplay(HWND bar);
void StopWatchingDisplay();

// WM_WTSSESSION_CHANGE's event, or a power-setting notification: true when
// it changed what IsPersonPresent or IsSessionAttached say.
bool NoteSessionChange(WPARAM event);
bool NoteDisplayState(POWERBROADCAST_SETTING const* setting);

// This session is the one in use: not switched away from nor disconnected.
bool IsSessionAttached();
// Attached, unlocked and, at the console, with the display on.
bool IsPersonPresent();
