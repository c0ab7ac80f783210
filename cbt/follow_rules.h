// What the library does with a window event: ride, follow, park, hide or
// change the caption state; floating, only hide and show again. Pure; the library reads the facts from the window
// system and carries the action out.
#pragma once

// The window events the library follows, by what they say of a window.
enum class WindowEvent {
    Foreground,      // a window became the foreground window
    LocationChange,  // the carrier moved or changed size
    MinimizeStart,   // the carrier is being minimised
    MinimizeEnd,     // the carrier is back from its minimised state
    Hide,            // the carrier was hidden
    Show,            // the carrier was shown
    Destroy,         // the carrier is gone
    Cloaked,         // the carrier was cloaked (another virtual desktop, a suspended app)
    Uncloaked,       // the carrier can be seen again
};

// What is true when the event arrives. For a Foreground event "window" is
// the new foreground window; for the others it is the carrier or the
// foreground window the bar waits for.
struct FollowFacts {
    bool riding;        // the bar is on the carrier's caption now (else parked)
    bool canCarry;      // the window can carry the bar now
    bool foreground;    // the window is the foreground window now
    bool carrierShown;  // the carrier is shown and not minimised
    bool barOrNone;     // Foreground only: the bar itself (its menu is open) or no window
    bool fullScreen;    // the window covers the bar's monitor with no caption on it
    bool hidden;        // the bar is hidden for a full-screen window (which is the one followed)
    bool awaited;       // not Foreground: the window is the one in front the bar waits for, not the carrier
    bool floating;      // the bar floats where the user put it: only a full-screen window in front moves it
};

enum class FollowAction {
    None,          // nothing changes
    Ride,          // the window becomes the carrier: the bar moves onto it and paints active
    Follow,        // the bar moves along with its carrier
    ShowInactive,  // the bar stays on its carrier and paints inactive
    Park,          // the bar parks; the carrier is watched to come back
    Wait,          // the bar parks; the foreground window is watched until it can carry
    Await,         // the bar stays on its carrier, painted inactive; the foreground window is watched until it can carry
    StopWaiting,   // the window waited for is gone
    Forget,        // the bar parks; the carrier is gone
    Hide,          // the bar hides; the full-screen window is watched to come back
    Float,         // floating: the bar is shown again where the user put it; only the foreground is followed
};

FollowAction DecideFollowAction(WindowEvent event, FollowFacts const& facts);

// Whether the action needs canCarry and fullScreen (reading a window can mean
// a message to another program, so it is asked only when the answer matters).
bool NeedsCanCarry(WindowEvent event);
