// The library's window event hooks, all out of context on the bar's thread:
// the foreground changes from everywhere, and the events of the carrier and
// of the window waited for, each from its own process and thread only, so a
// caret or a mouse moving in another program never wakes the bar's.
#pragma once

#include <windows.h>

// Newer than the headers' Windows 7 target.
DWORD const OBJECT_CLOAKED = 0x8017;    // EVENT_OBJECT_CLOAKED
DWORD const OBJECT_UNCLOAKED = 0x8018;  // EVENT_OBJECT_UNCLOAKED

int const WINDOW_HOOK_COUNT = 4;  // a range of the window's event numbers each

// Event hooks for one window's process and thread.
struct HookSet {
    HWINEVENTHOOK hooks[WINDOW_HOOK_COUNT];
    DWORD process, thread;
};

struct EventHooks {
    HWINEVENTHOOK foreground;  // set while the library follows, riding or floating
    HookSet carrier;
    HookSet awaited;  // where carrier's do not hear it already
};

// Hears the foreground changes; false when the system refuses.
bool HookForeground(EventHooks* hooks, WINEVENTPROC callback);

// Hears carrier's and awaited's own events (minimise start and end, destroy,
// show, hide, location change, cloaked, uncloaked), either null for none;
// registered again only where a window's thread changed.
void HookWindows(EventHooks* hooks, HWND carrier, HWND awaited, WINEVENTPROC callback);

// Hears nothing any more.
void UnhookAll(EventHooks* hooks);
