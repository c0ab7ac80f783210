// Whether a person can see the screen: the user's session unlocked and
// attached to a console or a remote connection. Windows reports the changes
// to the bar with WM_WTSSESSION_CHANGE once it follows the session.
#pragma once

#include <windows.h>

void FollowSession(HWND bar);
void StopFollowingSession(HWND bar);

// WM_WTSSESSION_CHANGE's event; true when presence changed with it.
bool NoteSessionChange(WPARAM event);

// The program starts with its user's sign-in, so present until told otherwise.
bool IsPersonPresent();
