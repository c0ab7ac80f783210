// Where the bar is, riding or floating, and its one transition: an event and
// the facts of the window system read once, in; the next state and where the
// bar goes, out. Pure: windows are plain numbers. cbt.cpp reads the facts,
// calls StepFollower and carries the step out.
#pragma once

#include <cstdint>

#include "cbt/follow_rules.h"

// Whose events are followed and where the bar is.
struct FollowState {
    uintptr_t carrier;  // the carrier, or the foreground window the bar waits for parked
    uintptr_t awaited;  // the foreground window the bar, staying on carrier, waits for
    bool riding;        // the bar is on carrier's caption
    bool hidden;        // the bar is hidden for the full-screen window carrier
    bool floating;      // the bar stays where the user put it, but for a full-screen window
};

// What the window system says when the event is handled, each read once.
// For a foreground change "window" is the new foreground window; for the
// others, the carrier or the window waited for.
struct WindowFacts {
    bool canCarry;      // the window can carry the bar now
    bool foreground;    // the window is the foreground window now
    bool carrierShown;  // the carrier is shown and not minimised
    bool barOrNone;     // the bar itself (its menu is open) or no window
    bool fullScreen;    // the window covers the bar's monitor with no caption on it
};

// Where the bar goes.
enum class BarPlace {
    Unchanged,
    OnCaption,  // onto the window's caption, shown, painted active
    Moved,      // along with its carrier
    Inactive,   // stays, painted inactive
    Parked,     // the bottom-right of the work area near the carrier before the step, shown, painted active
    Hidden,     // hidden for a full-screen window
    Floating,   // shown again where it floats
};

struct FollowStep {
    FollowState next;
    FollowAction action;
    BarPlace place;
    bool forgetProbes;  // the carrier is gone: a new window may come with its handle
};

// An event of a window no longer followed (still queued) changes nothing.
FollowStep StepFollower(FollowState const& state, WindowEvent event, uintptr_t window, WindowFacts const& facts);
