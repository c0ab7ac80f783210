// The 64-bit half of the hooks: on 64-bit Windows CBT64Host.exe, beside the
// program, installs CBT64.dll's hooks for the 64-bit programs' windows.
#pragma once

// Starts the host unless it runs already; does nothing on 32-bit Windows or
// when the host is missing or fails to start (the bar then rides on 32-bit
// programs' windows only).
void StartHost64();

// Asks the host to remove its hooks and end, waiting briefly for it; ends it
// only if it does not answer.
void StopHost64();
