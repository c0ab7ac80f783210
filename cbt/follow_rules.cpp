#include "cbt/follow_rules.h"

namespace {

FollowAction OnForeground(FollowFacts const& facts)
{
    // A video, a game or a presentation in front on the bar's monitor.
    if (facts.fullScreen)
        return FollowAction::Hide;
    if (facts.canCarry)
        return FollowAction::Ride;
    // A window that cannot carry yet (shown cloaked, activated while
    // minimised or too small) takes the bar once it can.
    if (facts.riding && facts.carrierShown)
        return facts.barOrNone ? FollowAction::ShowInactive : FollowAction::Await;
    // The bar's own menu, or no window: nothing to wait for.
    if (facts.barOrNone)
        return facts.riding || facts.hidden ? FollowAction::Park : FollowAction::None;
    // A window that may carry once it is shown or moved is waited for.
    return FollowAction::Wait;
}

// Shown, moved, restored or uncloaked: the carrier may carry (again) or not;
// the window in front may have gone full screen, or left it.
FollowAction OnCarrierChanged(FollowFacts const& facts)
{
    if (facts.fullScreen && facts.foreground)
        return FollowAction::Hide;
    if (facts.canCarry) {
        if (facts.riding)
            return FollowAction::Follow;
        // Back on screen but not in front: the bar waits for its activation.
        if (facts.foreground)
            return FollowAction::Ride;
    }
    return facts.riding || facts.hidden ? FollowAction::Park : FollowAction::None;
}

// The window in front that the bar waits for: it takes the bar once it can
// carry while still in front, or hides it once it is full screen there.
FollowAction OnAwaitedChanged(WindowEvent event, FollowFacts const& facts)
{
    switch (event) {
    case WindowEvent::LocationChange:
    case WindowEvent::MinimizeEnd:
    case WindowEvent::Show:
    case WindowEvent::Uncloaked:
        if (facts.fullScreen && facts.foreground)
            return FollowAction::Hide;
        return facts.canCarry && facts.foreground ? FollowAction::Ride : FollowAction::None;
    case WindowEvent::Destroy:
        return FollowAction::StopWaiting;
    case WindowEvent::Foreground:
    case WindowEvent::MinimizeStart:
    case WindowEvent::Hide:
    case WindowEvent::Cloaked:
        break;
    }
    return FollowAction::None;
}

// Floating, the bar moves for nothing but a full-screen window in front on
// its monitor (the one followed while it is hidden), and is back once that
// window leaves full screen, goes or loses the foreground.
FollowAction OnFloating(WindowEvent event, FollowFacts const& facts)
{
    // A window that came to the front is in front, whatever is by now; the
    // events that may show a full-screen window are those that read it.
    bool const inFront = event == WindowEvent::Foreground || facts.foreground;
    if (NeedsCanCarry(event) && facts.fullScreen && inFront)
        return FollowAction::Hide;
    return facts.hidden ? FollowAction::Float : FollowAction::None;
}

}  // namespace

bool NeedsCanCarry(WindowEvent event)
{
    switch (event) {
    case WindowEvent::Foreground:
    case WindowEvent::LocationChange:
    case WindowEvent::MinimizeEnd:
    case WindowEvent::Show:
    case WindowEvent::Uncloaked:
        return true;
    case WindowEvent::MinimizeStart:
    case WindowEvent::Hide:
    case WindowEvent::Destroy:
    case WindowEvent::Cloaked:
        break;
    }
    return false;
}

FollowAction DecideFollowAction(WindowEvent event, FollowFacts const& facts)
{
    if (facts.floating)
        return OnFloating(event, facts);
    if (facts.awaited && event != WindowEvent::Foreground)
        return OnAwaitedChanged(event, facts);
    switch (event) {
    case WindowEvent::Foreground:
        return OnForeground(facts);
    case WindowEvent::LocationChange:
    case WindowEvent::MinimizeEnd:
    case WindowEvent::Show:
    case WindowEvent::Uncloaked:
        return OnCarrierChanged(facts);
    case WindowEvent::MinimizeStart:
    case WindowEvent::Hide:
    case WindowEvent::Cloaked:
        return facts.riding || facts.hidden ? FollowAction::Park : FollowAction::None;
    case WindowEvent::Destroy:
        return FollowAction::Forget;
    }
    return FollowAction::None;
}
