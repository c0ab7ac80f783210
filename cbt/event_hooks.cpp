#include "cbt/event_hooks.h"

namespace {

// The window's events, as ranges of event numbers that hold nothing else.
struct EventRange {
    DWORD first, last;
};
EventRange const WINDOW_EVENTS[WINDOW_HOOK_COUNT] = {
    {EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND},
    {EVENT_OBJECT_DESTROY, EVENT_OBJECT_HIDE},  // destroy, show, hide
    {EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE},
    {OBJECT_CLOAKED, OBJECT_UNCLOAKED},
};

void Unhook(HookSet* set)
{
    for (HWINEVENTHOOK& hook : set->hooks) {
        if (hook != nullptr)
            UnhookWinEvent(hook);
        hook = nullptr;
    }
    set->process = 0;
    set->thread = 0;
}

// Registers set for the process and thread given, when those are others
// than the ones it hears so far. A system that refuses a hook narrowed to
// another process's thread (Wine does) gets one for the process alone; the
// window is checked first thing anyway.
void HookFor(HookSet* set, DWORD process, DWORD thread, WINEVENTPROC callback)
{
    if (process == set->process && thread == set->thread)
        return;
    Unhook(set);
    if (process == 0)
        return;
    DWORD narrowedTo = thread;
    for (int i = 0; i < WINDOW_HOOK_COUNT; ++i) {
        set->hooks[i] = SetWinEventHook(WINDOW_EVENTS[i].first, WINDOW_EVENTS[i].last, nullptr, callback, process,
                                        narrowedTo, WINEVENT_OUTOFCONTEXT);
        if (set->hooks[i] == nullptr && narrowedTo != 0) {
            narrowedTo = 0;
            set->hooks[i] = SetWinEventHook(WINDOW_EVENTS[i].first, WINDOW_EVENTS[i].last, nullptr, callback,
                                            process, 0, WINEVENT_OUTOFCONTEXT);
        }
    }
    set->process = process;
    set->thread = thread;
}

}  // namespace

bool HookForeground(EventHooks* hooks, WINEVENTPROC callback)
{
    if (hooks->foreground == nullptr)
        hooks->foreground = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, callback, 0,
                                            0, WINEVENT_OUTOFCONTEXT);
    return hooks->foreground != nullptr;
}

void HookWindows(EventHooks* hooks, HWND carrier, HWND awaited, WINEVENTPROC callback)
{
    DWORD carrierProcess = 0, awaitedProcess = 0;
    DWORD const carrierThread = carrier != nullptr ? GetWindowThreadProcessId(carrier, &carrierProcess) : 0;
    DWORD const awaitedThread = awaited != nullptr ? GetWindowThreadProcessId(awaited, &awaitedProcess) : 0;
    HookFor(&hooks->carrier, carrierProcess, carrierThread, callback);
    if (awaitedProcess == carrierProcess && awaitedThread == carrierThread)
        Unhook(&hooks->awaited);
    else
        HookFor(&hooks->awaited, awaitedProcess, awaitedThread, callback);
}

void UnhookAll(EventHooks* hooks)
{
    if (hooks->foreground != nullptr)
        UnhookWinEvent(hooks->foreground);
    hooks->foreground = nullptr;
    Unhook(&hooks->carrier);
    Unhook(&hooks->awaited);
}
