// CBT.dll: the one follower of the foreground window, which decides where
// the bar is. Riding, it keeps the bar on the caption of the foreground
// window, parks it or hides it for a full-screen window; floating, it only
// hides the bar for a full-screen window in front on its monitor. It runs in
// the program's process only, on the bar's thread: the system queues window
// events to that thread (out of context) for programs of either width and
// any integrity level, and nothing is loaded into other programs. Beyond the
// foreground changes only the carrier's own thread (or process, where the
// system allows no more) is followed, so a caret or a mouse moving in another
// program never wakes this one.
#include "cbt/cbt.h"

#include "base/bottom_right.h"
#include "base/monitors.h"
#include "base/win32_values.h"
#include "cbt/caption_probe.h"
#include "cbt/carrier.h"
#include "cbt/event_hooks.h"
#include "cbt/follow_state.h"
#include "cbt/full_screen_window.h"
#include "cbt/named_section.h"
#include "cbt/pending_events.h"

namespace {

NamedSection g_record;  // open while following
EventHooks g_hooks;
FollowState g_state;    // whose events are followed and where the bar is: StepFollower's
// What CanAdhere last said: the window it accepted, the one too slow to answer.
struct {
    HWND accepted, askAgain;
} g_adhere;
// The foreground window asked again, its probe having been cut short.
struct {
    HWND window;
    UINT_PTR timer;
} g_retry;
PendingEvents g_pending;  // what arrived while one was handled

void CALLBACK OnWindowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD);

bool Following()
{
    return g_hooks.foreground != nullptr;
}

uintptr_t NumberOf(HWND window)
{
    return reinterpret_cast<uintptr_t>(window);
}

HWND Carrier()
{
    return reinterpret_cast<HWND>(g_state.carrier);
}

HWND Awaited()
{
    return reinterpret_cast<HWND>(g_state.awaited);
}

// A caption probe cut short tells nothing: the window in front is asked
// again shortly, as if it had just come to the front (no other event may
// come for it).
UINT const RETRY_MS = 300;

void StopRetry()
{
    if (g_retry.timer != 0)
        KillTimer(nullptr, g_retry.timer);
    g_retry.timer = 0;
    g_retry.window = nullptr;
}

void CALLBACK OnRetry(HWND, UINT, UINT_PTR, DWORD)
{
    HWND const window = g_retry.window;
    StopRetry();
    if (window != nullptr && window == GetForegroundWindow())
        OnWindowEvent(nullptr, EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW, CHILDID_SELF, 0, 0);
}

bool ReadRecord(SharedWindowRecord* record)
{
    NamedSection section = g_record;
    bool const temporary = section.view == nullptr;
    if (temporary)
        section = OpenNamedSection(SHARED_WINDOW_RECORD_NAME, SHARED_WINDOW_RECORD_SIZE, false);
    if (section.view == nullptr)
        return false;
    CopyMemory(record, section.view, sizeof *record);
    if (temporary)
        CloseNamedSection(&section);
    return true;
}

// The hooks follow the carrier and the window waited for.
void SyncHooks()
{
    HookWindows(&g_hooks, Carrier(), Awaited(), OnWindowEvent);
}

// Follows window's events from now on, as the carrier's.
void Watch(HWND window)
{
    g_state.carrier = NumberOf(window);
    if (g_state.awaited == NumberOf(window))
        g_state.awaited = 0;
    SyncHooks();
}

// Moves without activating; unchanged positions cost nothing.
void MoveBar(HWND bar, RECT const& rect)
{
    RECT current;
    if (GetWindowRect(bar, &current) && current.left == rect.left && current.top == rect.top)
        return;
    SetWindowPos(bar, HWND_TOPMOST, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

// Shows the bar again where it was hidden for a full-screen window.
void Reveal(HWND bar)
{
    SetWindowPos(bar, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// Out of the way of a full-screen window in front, which is watched so that
// the bar comes back when it leaves full screen or goes.
void Hide(HWND bar)
{
    SetWindowPos(bar, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

void PostCaptionState(HWND bar, bool active)
{
    PostMessageW(bar, WM_CAPTIONSTATE, active ? 1 : 0, 0);
}

// The bottom-right corner of the work area of the monitor the bar last rode
// on, lastCarrier (of the bar's own once that window is gone), painted active.
void Park(HWND bar, HWND lastCarrier, bool wasHidden, SharedWindowRecord const& record)
{
    if (wasHidden)
        Reveal(bar);
    RECT rect;
    if (!GetWindowRect(bar, &rect))
        return;
    RECT const area = WorkAreaNear(IsWindow(lastCarrier) ? lastCarrier : bar);
    Point const at =
        BottomRightPosition(ToRect(area), rect.right - rect.left, rect.bottom - rect.top, record.captionHeight);
    RECT parked{at.x, at.y, 0, 0};
    MoveBar(bar, parked);
    PostCaptionState(bar, true);
}

// Onto carrier's caption at rect, shown, painted active.
void Ride(HWND bar, HWND carrier, RECT const& rect)
{
    bool const wasHidden = g_state.hidden;
    g_state.awaited = 0;
    Watch(carrier);
    g_state.riding = true;
    g_state.hidden = false;
    if (wasHidden)
        Reveal(bar);
    MoveBar(bar, rect);
    PostCaptionState(bar, true);
}

bool KindOf(DWORD event, WindowEvent* kind)
{
    switch (event) {
    case EVENT_SYSTEM_FOREGROUND: *kind = WindowEvent::Foreground; return true;
    case EVENT_OBJECT_LOCATIONCHANGE: *kind = WindowEvent::LocationChange; return true;
    case EVENT_SYSTEM_MINIMIZESTART: *kind = WindowEvent::MinimizeStart; return true;
    case EVENT_SYSTEM_MINIMIZEEND: *kind = WindowEvent::MinimizeEnd; return true;
    case EVENT_OBJECT_HIDE: *kind = WindowEvent::Hide; return true;
    case EVENT_OBJECT_SHOW: *kind = WindowEvent::Show; return true;
    case EVENT_OBJECT_DESTROY: *kind = WindowEvent::Destroy; return true;
    case OBJECT_CLOAKED: *kind = WindowEvent::Cloaked; return true;
    case OBJECT_UNCLOAKED: *kind = WindowEvent::Uncloaked; return true;
    }
    return false;
}

void Handle(DWORD event, HWND window)
{
    WindowEvent kind;
    // An event of a window no longer followed may still be queued.
    if (!Following() || !KindOf(event, &kind) ||
        (kind != WindowEvent::Foreground && window != Carrier() && window != Awaited()))
        return;
    SharedWindowRecord record;
    if (!ReadRecord(&record))
        return;
    HWND const bar = BarOfRecord(record);
    if (bar == nullptr)
        return;
    // Each fact read once, here: reading a window can mean a message to
    // another program, so it is read only when the answer matters.
    HWND const foreground = GetForegroundWindow();
    CarryAnswer answer{Carry::No, RECT{0, 0, 0, 0}, false};
    HMONITOR const monitor = MonitorFromWindow(bar, MONITOR_DEFAULTTONEAREST);
    // Floating, nothing carries: only whether the window is full screen
    // matters, asked from the cheapest fact up.
    if (NeedsCanCarry(kind) && g_state.floating)
        answer.fullScreen = window != bar && IsFullScreenOn(window, monitor, record.captionHeight);
    else if (NeedsCanCarry(kind))
        answer = CanCarry(window, record, monitor);
    // Only the window in front now is worth asking again.
    if (answer.carry == Carry::AskAgain && window == foreground && g_retry.window != window) {
        StopRetry();
        g_retry.window = window;
        g_retry.timer = SetTimer(nullptr, 0, RETRY_MS, OnRetry);
    }
    WindowFacts facts;
    facts.canCarry = answer.carry == Carry::Yes;
    facts.foreground = foreground == window;
    facts.carrierShown = Carrier() != nullptr && IsShownCarrier(Carrier());
    facts.barOrNone = window == nullptr || window == bar;
    facts.fullScreen = answer.fullScreen;

    HWND const carrierBefore = Carrier();
    bool const hiddenBefore = g_state.hidden;
    FollowStep const step = StepFollower(g_state, kind, NumberOf(window), facts);
    g_state = step.next;
    SyncHooks();
    switch (step.place) {
    case BarPlace::Unchanged:
        break;
    case BarPlace::OnCaption:
        if (hiddenBefore)
            Reveal(bar);
        MoveBar(bar, answer.bar);
        PostCaptionState(bar, true);
        break;
    case BarPlace::Moved:
        MoveBar(bar, answer.bar);
        break;
    case BarPlace::Inactive:
        PostCaptionState(bar, false);
        break;
    case BarPlace::Parked:
        Park(bar, carrierBefore, hiddenBefore, record);
        break;
    case BarPlace::Hidden:
        Hide(bar);
        break;
    case BarPlace::Floating:
        Reveal(bar);
        break;
    }
    if (step.forgetProbes)
        ForgetCaptionProbes();
}

// Only whole windows count: carets, cursors and controls inside the carrier
// raise location events of their own, which leave before any work.
void CALLBACK OnWindowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (object != OBJID_WINDOW || child != CHILDID_SELF)
        return;
    if (event != EVENT_SYSTEM_FOREGROUND && window != Carrier() && window != Awaited())
        return;
    if (g_pending.handling) {
        AddPendingEvent(g_pending, event, reinterpret_cast<uintptr_t>(window), event == EVENT_SYSTEM_FOREGROUND,
                        g_state.carrier, g_state.awaited);
        return;
    }
    g_pending.handling = true;
    Handle(event, window);
    // Each with the facts of the moment it is handled: a foreground change
    // with the window in front now.
    PendingEvent next;
    while (TakePendingEvent(g_pending, &next)) {
        if (next.foreground)
            Handle(EVENT_SYSTEM_FOREGROUND, GetForegroundWindow());
        else
            Handle(next.event, reinterpret_cast<HWND>(next.window));
    }
    g_pending.handling = false;
}

// Opens the record and hears the foreground changes; false when either fails.
bool StartFollowing(bool floating)
{
    g_record = OpenNamedSection(SHARED_WINDOW_RECORD_NAME, SHARED_WINDOW_RECORD_SIZE, false);
    if (g_record.view == nullptr || !HookForeground(&g_hooks, OnWindowEvent)) {
        UnhookAll(&g_hooks);
        CloseNamedSection(&g_record);
        return false;
    }
    g_state = FollowState{};
    g_state.floating = floating;
    ForgetCaptionProbes();
    return true;
}

// Nothing is followed any more, and the bar is shown if it was hidden.
void StopFollowing()
{
    UnhookAll(&g_hooks);
    StopRetry();
    SharedWindowRecord record;
    HWND const bar = ReadRecord(&record) ? BarOfRecord(record) : nullptr;
    if (bar != nullptr && g_state.hidden)
        Reveal(bar);
    g_state = FollowState{};
    ForgetCaptionProbes();
    g_pending.count = 0;
    CloseNamedSection(&g_record);
}

}  // namespace

int WINAPI InstallCBTHook(void)
{
    if (Following() && !g_state.floating)
        return 0;
    // From floating: the window just placed on (g_adhere.accepted) is kept.
    if (Following())
        StopFollowing();
    if (!StartFollowing(false))
        return 0;
    // The window the bar was just placed on, or else the foreground window,
    // which takes the bar once it moves or is shown while in front.
    SharedWindowRecord record;
    HWND const bar = ReadRecord(&record) ? BarOfRecord(record) : nullptr;
    HWND const foreground = GetForegroundWindow();
    g_state.riding = g_adhere.accepted != nullptr;
    if (g_state.riding) {
        Watch(g_adhere.accepted);
    } else if (foreground != bar) {
        Watch(foreground);
        // Too slow to answer at the first placement (just started, or a
        // busy machine): asked again, as no other event may come for it.
        if (g_adhere.askAgain == foreground && foreground != nullptr) {
            g_retry.window = foreground;
            g_retry.timer = SetTimer(nullptr, 0, RETRY_MS, OnRetry);
        }
    }
    return 1;
}

int WINAPI FloatCBTHook(void)
{
    if (Following() && g_state.floating)
        return 0;
    if (Following())
        StopFollowing();
    if (!StartFollowing(true))
        return 0;
    // A full-screen window may be in front already.
    OnWindowEvent(nullptr, EVENT_SYSTEM_FOREGROUND, GetForegroundWindow(), OBJID_WINDOW, CHILDID_SELF, 0, 0);
    return 1;
}

int WINAPI UninstallCBTHook(void)
{
    if (!Following())
        return 0;
    StopFollowing();
    g_adhere.accepted = nullptr;
    g_adhere.askAgain = nullptr;
    return 1;
}

int WINAPI CanAdhere(HWND target, RECT* rect)
{
    if (rect == nullptr)
        return 0;
    SharedWindowRecord record;
    CarryAnswer answer{Carry::No, RECT{0, 0, 0, 0}, false};
    if (ReadRecord(&record))
        answer = CanCarry(target, record, MonitorFromWindow(WindowOfHandle(record.barWindow), MONITOR_DEFAULTTOPRIMARY));
    g_adhere.askAgain = answer.carry == Carry::AskAgain ? target : nullptr;
    if (answer.carry != Carry::Yes) {
        g_adhere.accepted = nullptr;
        return 0;
    }
    *rect = answer.bar;
    g_adhere.accepted = target;
    return 1;
}

void WINAPI MoveOwnerWindow(HWND bar, RECT* rect)
{
    if (rect == nullptr || !IsBarWindow(bar))
        return;
    if (Following() && !g_state.floating && g_adhere.accepted != nullptr) {
        Ride(bar, g_adhere.accepted, *rect);
        return;
    }
    MoveBar(bar, *rect);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}
